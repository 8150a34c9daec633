// Waits for an X window by its title or closes it as a window manager does; or holds the clipboard.
//   x_window_tool wait TITLE SECONDS   exit 0 once such a window is mapped
//   x_window_tool close TITLE          send it WM_DELETE_WINDOW until it goes (10 s at most)
//   x_window_tool own-clipboard TEXT   hold the clipboard with TEXT, taking it back at once,
//                                      until a signal ends it; "ready" once held
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string Title(Display* display, Window window)
{
    XTextProperty name{};
    std::string title;
    if (XGetTextProperty(display, window, &name, XInternAtom(display, "_NET_WM_NAME", False)) &&
        name.value) {
        title.assign(reinterpret_cast<char*>(name.value), name.nitems);
        XFree(name.value);
    }
    return title;
}

// The mapped windows titled `title` below `parent`, the root window unless given.
std::vector<Window> Windows(Display* display, const std::string& title, Window parent = None)
{
    std::vector<Window> found;
    Window root, parentOut, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent ? parent : DefaultRootWindow(display), &root, &parentOut,
                    &children, &count))
        return found;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable && Title(display, children[i]) == title)
            found.push_back(children[i]);
        const std::vector<Window> below = Windows(display, title, children[i]);
        found.insert(found.end(), below.begin(), below.end());
    }
    if (children)
        XFree(children);
    return found;
}

void SendClose(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

// Answers another program's request for the clipboard, held with `text`.
void AnswerClipboardRequest(Display* display, const XSelectionRequestEvent& request,
                            const std::string& text)
{
    const Atom targets = XInternAtom(display, "TARGETS", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.time = request.time;
    reply.xselection.property = request.property ? request.property : request.target;
    if (request.target == targets) {
        const Atom offered[] = {targets, utf8, XA_STRING};
        XChangeProperty(display, request.requestor, reply.xselection.property, XA_ATOM, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(offered), 3);
    } else if (request.target == utf8 || request.target == XA_STRING) {
        XChangeProperty(display, request.requestor, reply.xselection.property, request.target, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(text.data()),
                        static_cast<int>(text.size()));
    } else {
        reply.xselection.property = None;
    }
    XSendEvent(display, request.requestor, False, NoEventMask, &reply);
}

int OwnClipboard(Display* display, const std::string& text)
{
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    XSetSelectionOwner(display, clipboard, window, CurrentTime);
    XSync(display, False);
    std::cout << "ready" << std::endl;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionRequest)
            AnswerClipboardRequest(display, event.xselectionrequest, text);
        // At once, at the time the other program's claim took effect.
        else if (event.type == SelectionClear)
            XSetSelectionOwner(display, clipboard, window, event.xselectionclear.time);
        XFlush(display);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: x_window_tool wait|close TITLE [SECONDS]\n"
                     "       x_window_tool own-clipboard TEXT\n";
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::cerr << "no X display\n";
        return 2;
    }
    // Windows come and go while the tree is read: a vanished one is simply not found.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const std::string command = argv[1], title = argv[2];
    if (command == "own-clipboard")
        return OwnClipboard(display, title);
    if (command == "wait") {
        const auto deadline = std::chrono::steady_clock::now() +
                              std::chrono::seconds(argc > 3 ? std::stoi(argv[3]) : 10);
        while (std::chrono::steady_clock::now() < deadline) {
            if (!Windows(display, title).empty())
                return 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return 1;
    }
    if (command == "close") {
        // GTK on a bare X server now and then drops a close request that comes while the machine
        // is busy, a plain GTK window's as much as this program's: ask again each second.
        for (int attempt = 0; attempt < 10; ++attempt) {
            const auto windows = Windows(display, title);
            if (windows.empty())
                return attempt > 0 ? 0 : 1;
            SendClose(display, windows.front());
            for (int wait = 0; wait < 10 && !Windows(display, title).empty(); ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return Windows(display, title).empty() ? 0 : 1;
    }
    return 2;
}

// Finds a top-level window of the X display by its title and, on request, asks it to close
// exactly as a window manager's close button does (WM_DELETE_WINDOW); or stands for another
// program on the clipboard.
//   x_window_tool wait TITLE SECONDS   exit 0 once such a window is mapped
//   x_window_tool close TITLE          send it WM_DELETE_WINDOW until it goes (10 s at most)
//   x_window_tool count TITLE          print how many mapped windows carry the title
//   x_window_tool own-clipboard TEXT   hold the clipboard with TEXT, taking it back at once
//                                      whenever another program takes it; "ready" once held
//   x_window_tool keep-clipboard       a clipboard manager: take over each text another
//                                      program puts on the clipboard; "ready" once watching
// The clipboard commands run until ended by a signal.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <chrono>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

namespace {

// Windows come and go while the tree is read: a vanished one is simply not found.
int IgnoreXErrors(Display*, XErrorEvent*)
{
    return 0;
}

std::string Title(Display* display, Window window)
{
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return title;
}

void FindWindows(Display* display, Window parent, const std::string& title,
                 std::vector<Window>& found)
{
    Window root, parentOut, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &parentOut, &children, &count))
        return;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable && Title(display, children[i]) == title)
            found.push_back(children[i]);
        FindWindows(display, children[i], title, found);
    }
    if (children)
        XFree(children);
}

std::vector<Window> Windows(Display* display, const std::string& title)
{
    std::vector<Window> found;
    FindWindows(display, DefaultRootWindow(display), title, found);
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

// The clipboard held by `window` with `text`: answers what other programs ask of it.
class ClipboardHolder {
public:
    ClipboardHolder(Display* display, Window window)
        : display_(display),
          window_(window),
          clipboard_(XInternAtom(display, "CLIPBOARD", False)),
          targets_(XInternAtom(display, "TARGETS", False)),
          utf8_(XInternAtom(display, "UTF8_STRING", False))
    {
    }

    Atom Clipboard() const { return clipboard_; }
    Atom Utf8() const { return utf8_; }

    void Take(const std::string& text, Time time)
    {
        text_ = text;
        XSetSelectionOwner(display_, clipboard_, window_, time);
        XFlush(display_);
    }

    void Answer(const XSelectionRequestEvent& request)
    {
        XEvent reply{};
        reply.xselection.type = SelectionNotify;
        reply.xselection.requestor = request.requestor;
        reply.xselection.selection = request.selection;
        reply.xselection.target = request.target;
        reply.xselection.time = request.time;
        reply.xselection.property = request.property ? request.property : request.target;
        if (request.target == targets_) {
            const Atom offered[] = {targets_, utf8_, XA_STRING};
            XChangeProperty(display_, request.requestor, reply.xselection.property, XA_ATOM, 32,
                            PropModeReplace, reinterpret_cast<const unsigned char*>(offered), 3);
        } else if (request.target == utf8_ || request.target == XA_STRING) {
            XChangeProperty(display_, request.requestor, reply.xselection.property, request.target,
                            8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(text_.data()),
                            static_cast<int>(text_.size()));
        } else {
            reply.xselection.property = None;
        }
        XSendEvent(display_, request.requestor, False, NoEventMask, &reply);
        XFlush(display_);
    }

private:
    Display* display_;
    Window window_;
    Atom clipboard_, targets_, utf8_;
    std::string text_;
};

int RunClipboard(Display* display, const std::string& command, const std::string& text)
{
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    ClipboardHolder holder(display, window);
    const Atom kept = XInternAtom(display, "QUILLOMAT_KEPT", False);
    int fixesEvent = 0, fixesError = 0;
    if (command == "keep-clipboard") {
        if (!XFixesQueryExtension(display, &fixesEvent, &fixesError))
            return 2;
        XFixesSelectSelectionInput(display, window, holder.Clipboard(),
                                   XFixesSetSelectionOwnerNotifyMask);
    } else {
        holder.Take(text, CurrentTime);
    }
    XSync(display, False);
    std::cout << "ready" << std::endl;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionRequest) {
            holder.Answer(event.xselectionrequest);
        } else if (event.type == SelectionClear && command == "own-clipboard") {
            holder.Take(text, event.xselectionclear.time);
        } else if (event.type == fixesEvent + XFixesSelectionNotify) {
            const auto& notify = reinterpret_cast<const XFixesSelectionNotifyEvent&>(event);
            if (notify.owner != None && notify.owner != window)
                XConvertSelection(display, holder.Clipboard(), holder.Utf8(), kept, window,
                                  notify.selection_timestamp);
        } else if (event.type == SelectionNotify && event.xselection.property == kept) {
            Atom type;
            int format;
            unsigned long count, after;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(display, window, kept, 0, 1 << 20, True, AnyPropertyType, &type,
                                   &format, &count, &after, &data) == Success &&
                data) {
                holder.Take(std::string(reinterpret_cast<char*>(data), count),
                            event.xselection.time);
                XFree(data);
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || (argc < 3 && std::string(argv[1]) != "keep-clipboard")) {
        std::cerr << "usage: x_window_tool wait|close|count TITLE [SECONDS]\n"
                     "       x_window_tool own-clipboard TEXT | keep-clipboard\n";
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::cerr << "no X display\n";
        return 2;
    }
    XSetErrorHandler(&IgnoreXErrors);
    const std::string command = argv[1], title = argc > 2 ? argv[2] : "";
    if (command == "own-clipboard" || command == "keep-clipboard")
        return RunClipboard(display, command, title);
    if (command == "count") {
        std::cout << Windows(display, title).size() << "\n";
        return 0;
    }
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
        // GTK on a bare X server (no window manager) now and then drops a close request that
        // comes while the machine is busy, a plain GTK window as much as this program's: ask
        // again each second until the window has gone.
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

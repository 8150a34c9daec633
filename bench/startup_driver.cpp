// Measures programs' start-up and memory from outside, on the X display of DISPLAY.
//
//   startup_driver [--runs N] [--warm-up N] [--settle-ms MS] [--log FILE] [--screenshots DIR]
//                  [--tsv] [--details] CASE...
//   CASE: "LABEL:[VAR=VALUE...] PROGRAM [ARGUMENTS...]" (split at blanks)
//
// The driver serves the home page "http://www.skyblog.com/" for any host from a loopback
// server and starts each case with http_proxy pointing at it. For each run it takes the time
// just before the exec, then
//   - "mapped": a top-level window whose _NET_WM_PID is the program's (or a process it started)
//     is mapped (MapNotify on the root window);
//   - "loaded": the page's onload handler asks for "http://www.skyblog.com/loaded", which
//     arrives once the page and everything in it have loaded: the same for every program,
//     without the program's help;
//   - memory, the settle time (1 s) after "loaded": the proportional set size (PSS) of the whole
//     process tree (the program, WebKit's processes, bubblewrap and D-Bus proxies), from
//     /proc/PID/smaps_rollup, and the tree's distinct resident pages, each counted once.
// Then it kills the tree and waits until every process of it is gone. After one warm-up round,
// the cases take turns, run after run, so that a slow spell of the machine falls on all of them.
// It prints the medians and each case's ratio to the last case (the floor); --tsv prints
// "label, mapped ms, loaded ms, PSS MiB, pages MiB, other WebKit processes" lines instead. The
// programs' output goes to the log, with a line "exec LABEL at T" (monotonic clock, ms) before each
// start; --details adds each run's figures, requests, and PSS by process name on standard error.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <glib-unix.h>
#include <libsoup/soup.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr char HomePath[] = "/";
constexpr char LoadedPath[] = "/loaded";
constexpr auto RunTimeout = 60s;

// A home page of a few kilobytes with text, links and a style sheet, and nothing to fetch but
// the end-of-load beacon.
std::string HomePage()
{
    std::string items;
    for (int i = 1; i <= 40; ++i)
        items += "<li><a href='http://www.skyblog.com/blog" + std::to_string(i) +
                 "'>Le blog numéro " + std::to_string(i) +
                 "</a> : les derniers articles et commentaires du jour</li>\n";
    return "<!DOCTYPE html><html lang='fr'><head><meta charset='utf-8'>"
           "<title>Skyblog - Accueil</title><style>"
           "body{font-family:sans-serif;margin:0;background:#f4f0f8}"
           "header{background:#800080;color:#fff;padding:8px 16px}"
           "main{padding:8px 16px}li{margin:2px 0}a{color:#603}"
           "</style></head>"
           "<body onload=\"new Image().src='http://www.skyblog.com/loaded'\">"
           "<header><h1>Skyblog</h1><p>Crée ton blog et partage-le avec tes amis !</p></header>"
           "<main><form><input name='login' placeholder='Pseudo'> "
           "<input name='pass' type='password' placeholder='Mot de passe'> "
           "<button>Connexion</button></form><h2>Les blogs du moment</h2><ul>\n" +
           items + "</ul></main></body></html>";
}

struct Case {
    std::string label;
    std::vector<std::string> environment;  // VAR=VALUE, added to the driver's own
    std::vector<std::string> arguments;
};

struct Run {
    bool ok = false;
    std::string failure;
    double mappedMs = 0;
    double loadedMs = 0;
    double pssKiB = 0;
    double distinctKiB = 0;
    int otherWebKitProcesses = 0;
    std::map<std::string, double> pssKiBByName;
    std::map<std::string, int> processesByName;
};

struct Options {
    int runs = 7;
    int warmUp = 1;
    std::chrono::milliseconds settle = 1000ms;
    std::string screenshots;
    std::string log =
        (std::filesystem::temp_directory_path() / "quillomat-startup-driver.log").string();
    bool tsv = false;
    bool details = false;
    std::vector<Case> cases;
};

std::vector<std::string> SplitAtBlanks(const std::string& text)
{
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

Case ParseCase(const std::string& text)
{
    const auto colon = text.find(':');
    if (colon == std::string::npos || colon == 0)
        throw std::invalid_argument("a case is LABEL:COMMAND, not \"" + text + "\"");
    Case parsed;
    parsed.label = text.substr(0, colon);
    for (const std::string& word : SplitAtBlanks(text.substr(colon + 1))) {
        if (parsed.arguments.empty() && word.find('=') != std::string::npos)
            parsed.environment.push_back(word);
        else
            parsed.arguments.push_back(word);
    }
    if (parsed.arguments.empty())
        throw std::invalid_argument("case \"" + parsed.label + "\" has no program");
    return parsed;
}

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const auto value = [&] {
            if (i + 1 >= argc)
                throw std::invalid_argument(option + " needs a value");
            return std::string(argv[++i]);
        };
        if (option == "--runs")
            options.runs = std::stoi(value());
        else if (option == "--warm-up")
            options.warmUp = std::stoi(value());
        else if (option == "--settle-ms")
            options.settle = std::chrono::milliseconds(std::stoi(value()));
        else if (option == "--log")
            options.log = value();
        else if (option == "--screenshots")
            options.screenshots = value();
        else if (option == "--tsv")
            options.tsv = true;
        else if (option == "--details")
            options.details = true;
        else if (option.rfind("--", 0) == 0)
            throw std::invalid_argument("unknown option " + option);
        else
            options.cases.push_back(ParseCase(option));
    }
    if (options.cases.empty() || options.runs < 1)
        throw std::invalid_argument("usage: startup_driver [--runs N] CASE...");
    return options;
}

std::string Fixed(double value, int decimals);

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// The loopback server standing for the service: the home page for any host, and the time the
// beacon arrived.
class HomePageServer {
public:
    HomePageServer() : page_(HomePage())
    {
        server_ = soup_server_new("server-header", "quillomat-bench", nullptr);
        soup_server_add_handler(server_, nullptr, &HomePageServer::Handle, this, nullptr);
        GInetAddress* loopback = g_inet_address_new_loopback(G_SOCKET_FAMILY_IPV4);
        GSocketAddress* address = g_inet_socket_address_new(loopback, 0);
        g_object_unref(loopback);
        GError* error = nullptr;
        if (!soup_server_listen(server_, address, SoupServerListenOptions(0), &error))
            throw std::runtime_error(std::string("cannot listen on 127.0.0.1: ") + error->message);
        g_object_unref(address);
        GSList* listeners = soup_server_get_listeners(server_);
        GSocketAddress* local =
            g_socket_get_local_address(static_cast<GSocket*>(listeners->data), nullptr);
        port_ = g_inet_socket_address_get_port(G_INET_SOCKET_ADDRESS(local));
        g_object_unref(local);
        g_slist_free(listeners);
    }
    ~HomePageServer()
    {
        soup_server_disconnect(server_);
        g_object_unref(server_);
    }

    std::string ProxyAddress() const { return "http://127.0.0.1:" + std::to_string(port_); }

    void Reset()
    {
        loaded_.reset();
        requests_.clear();
        firstArrivals_.clear();
    }
    // When each request of the run first arrived.
    const std::map<std::string, Clock::time_point>& FirstArrivals() const { return firstArrivals_; }
    std::optional<Clock::time_point> Loaded() const { return loaded_; }
    // Requests of the run so far, by "host path".
    const std::map<std::string, int>& Requests() const { return requests_; }

private:
    static void Handle(SoupServer*, SoupServerMessage* message, const char* path, GHashTable*,
                       void* self)
    {
        static_cast<HomePageServer*>(self)->Answer(message, path);
    }

    void Answer(SoupServerMessage* message, const std::string& path)
    {
        const auto now = Clock::now();
        GUri* uri = soup_server_message_get_uri(message);
        const char* host = g_uri_get_host(uri);
        const std::string key = std::string(host ? host : "?") + " " + path;
        ++requests_[key];
        firstArrivals_.emplace(key, now);
        SoupMessageHeaders* headers = soup_server_message_get_response_headers(message);
        soup_message_headers_replace(headers, "Cache-Control", "no-store");
        if (path == LoadedPath) {
            if (!loaded_)
                loaded_ = now;
            soup_server_message_set_status(message, SOUP_STATUS_NO_CONTENT, nullptr);
            return;
        }
        const bool home = path == HomePath;
        soup_server_message_set_status(message, home ? SOUP_STATUS_OK : SOUP_STATUS_NOT_FOUND,
                                       nullptr);
        const std::string body = home ? page_ : "<!DOCTYPE html><p>Not found</p>";
        soup_server_message_set_response(message, "text/html; charset=utf-8", SOUP_MEMORY_COPY,
                                         body.data(), body.size());
    }

    SoupServer* server_ = nullptr;
    unsigned port_ = 0;
    std::string page_;
    std::optional<Clock::time_point> loaded_;
    std::map<std::string, int> requests_;
    std::map<std::string, Clock::time_point> firstArrivals_;
};

// Watches the root window for top-level windows being mapped.
class MapWatch {
public:
    MapWatch()
    {
        display_ = XOpenDisplay(nullptr);
        if (!display_)
            throw std::runtime_error("no X display (run under xvfb-run)");
        XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
        XSync(display_, False);
        pidAtom_ = XInternAtom(display_, "_NET_WM_PID", False);
        source_ = g_unix_fd_add(ConnectionNumber(display_), G_IO_IN, &MapWatch::OnReadable, this);
    }
    ~MapWatch()
    {
        g_source_remove(source_);
        XCloseDisplay(display_);
    }

    void Reset(pid_t pid)
    {
        pid_ = pid;
        mapped_.reset();
    }
    std::optional<Clock::time_point> Mapped() const { return mapped_; }
    void Drain()
    {
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
            const auto now = Clock::now();
            if (event.type == MapNotify && !event.xmap.override_redirect && !mapped_ &&
                IsProgramProcess(WindowPid(event.xmap.window)))
                mapped_ = now;
        }
    }

private:
    static gboolean OnReadable(int, GIOCondition, void* self)
    {
        static_cast<MapWatch*>(self)->Drain();
        return G_SOURCE_CONTINUE;
    }

    // The program itself, or a process it started (the program may be a wrapper).
    bool IsProgramProcess(pid_t pid) const
    {
        for (int depth = 0; pid > 1 && depth < 16; ++depth) {
            if (pid == pid_)
                return true;
            std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
            std::string line;
            if (!std::getline(stat, line) || line.rfind(')') == std::string::npos)
                return false;
            pid = std::atoi(line.c_str() + line.rfind(')') + 4);
        }
        return false;
    }

    pid_t WindowPid(Window window)
    {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        pid_t pid = -1;
        if (XGetWindowProperty(display_, window, pidAtom_, 0, 1, False, XA_CARDINAL, &type, &format,
                               &count, &after, &data) == Success &&
            data) {
            if (count == 1 && format == 32)
                pid = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data));
            XFree(data);
        }
        return pid;
    }

    Display* display_ = nullptr;
    Atom pidAtom_ = 0;
    guint source_ = 0;
    pid_t pid_ = -1;
    std::optional<Clock::time_point> mapped_;
};

struct ProcessEntry {
    pid_t parent = 0;
    std::string name;
    char state = '?';
};

std::map<pid_t, ProcessEntry> AllProcesses()
{
    std::map<pid_t, ProcessEntry> processes;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line))
            continue;
        // pid (comm) state ppid ...: comm may hold blanks and parentheses.
        const auto open = line.find('(');
        const auto close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close + 4 > line.size())
            continue;
        ProcessEntry process;
        process.name = line.substr(open + 1, close - open - 1);
        process.state = line[close + 2];
        process.parent = std::atoi(line.c_str() + close + 4);
        processes[std::atoi(name.c_str())] = process;
    }
    return processes;
}

// Every process below the driver: the program's tree, and any of its processes that lost their
// parent (the driver is their subreaper).
std::map<pid_t, ProcessEntry> Descendants()
{
    const auto processes = AllProcesses();
    std::map<pid_t, ProcessEntry> found;
    for (const auto& [pid, process] : processes) {
        for (pid_t ancestor = process.parent; ancestor > 1;) {
            if (ancestor == getpid()) {
                found[pid] = process;
                break;
            }
            const auto next = processes.find(ancestor);
            ancestor = next == processes.end() ? 0 : next->second.parent;
        }
    }
    return found;
}

double PssKiB(pid_t pid)
{
    std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
    for (std::string line; std::getline(rollup, line);)
        if (line.rfind("Pss:", 0) == 0)
            return std::atof(line.c_str() + 4);
    return 0;
}

// The physical pages resident in the processes, each counted once however many of them map it
// and whatever other processes share it: unlike PSS, this does not shrink when another program
// on the machine maps the same libraries. From /proc/PID/pagemap (needs root for the frame
// numbers; 0 without them).
double DistinctResidentKiB(const std::vector<pid_t>& processes)
{
    constexpr std::uint64_t Present = 1ull << 63;
    constexpr std::uint64_t FrameMask = (1ull << 55) - 1;
    const long pageSize = sysconf(_SC_PAGESIZE);
    std::unordered_set<std::uint64_t> frames;
    for (const pid_t pid : processes) {
        const std::string folder = "/proc/" + std::to_string(pid);
        const int pagemap = open((folder + "/pagemap").c_str(), O_RDONLY);
        if (pagemap < 0)
            continue;
        std::ifstream smaps(folder + "/smaps");
        std::uint64_t start = 0, end = 0;
        std::vector<std::uint64_t> entries;
        for (std::string line; std::getline(smaps, line);) {
            unsigned long long first, last;
            if (std::sscanf(line.c_str(), "%llx-%llx ", &first, &last) == 2 &&
                line.find('-') < line.find(' ')) {
                start = first;
                end = last;
                continue;
            }
            long rss = 0;
            if (std::sscanf(line.c_str(), "Rss: %ld kB", &rss) != 1 || rss == 0)
                continue;
            entries.resize((end - start) / pageSize);
            const off_t offset = static_cast<off_t>(start / pageSize * sizeof(std::uint64_t));
            const ssize_t got =
                pread(pagemap, entries.data(), entries.size() * sizeof(std::uint64_t), offset);
            for (ssize_t i = 0; i < got / static_cast<ssize_t>(sizeof(std::uint64_t)); ++i)
                if ((entries[i] & Present) && (entries[i] & FrameMask))
                    frames.insert(entries[i] & FrameMask);
        }
        close(pagemap);
    }
    return static_cast<double>(frames.size()) * pageSize / 1024;
}

// WebKit processes of other programs on the machine: they share the library pages, and so
// shrink the PSS of the trees measured, the floor's more than the program's.
int OtherWebKitProcesses(const std::vector<pid_t>& tree)
{
    int count = 0;
    for (const auto& [pid, process] : AllProcesses())
        if (process.name.rfind("WebKit", 0) == 0 &&
            std::find(tree.begin(), tree.end(), pid) == tree.end())
            ++count;
    return count;
}

void ReapChildren()
{
    while (waitpid(-1, nullptr, WNOHANG) > 0) {
    }
}

void KillEverything()
{
    const auto deadline = Clock::now() + 20s;
    while (Clock::now() < deadline) {
        ReapChildren();
        const auto processes = Descendants();
        if (processes.empty())
            return;
        for (const auto& [pid, process] : processes)
            if (process.state != 'Z')
                kill(pid, SIGKILL);
        std::this_thread::sleep_for(5ms);
    }
    throw std::runtime_error("the program's processes would not end");
}

pid_t Start(const Case& program, const std::string& proxyAddress, const std::string& logPath)
{
    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable)
        environment.emplace_back(*variable);
    environment.push_back("http_proxy=" + proxyAddress);
    environment.insert(environment.end(), program.environment.begin(), program.environment.end());
    // Later assignments win: keep the last of each name.
    std::map<std::string, std::string> byName;
    for (const std::string& assignment : environment)
        byName[assignment.substr(0, assignment.find('='))] = assignment;
    byName.erase("no_proxy");
    byName.erase("NO_PROXY");
    std::vector<std::string> finalEnvironment;
    for (const auto& [name, assignment] : byName)
        finalEnvironment.push_back(assignment);

    std::vector<char*> envp, argv;
    for (std::string& assignment : finalEnvironment)
        envp.push_back(assignment.data());
    envp.push_back(nullptr);
    std::vector<std::string> arguments = program.arguments;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        setpriority(PRIO_PROCESS, 0, 0);
        const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        const int nothing = open("/dev/null", O_RDONLY);
        if (log >= 0 && nothing >= 0) {
            dup2(nothing, STDIN_FILENO);
            dup2(log, STDOUT_FILENO);
            dup2(log, STDERR_FILENO);
        }
        // PATH comes from the case's environment when it sets one.
        for (const std::string& assignment : finalEnvironment)
            if (assignment.rfind("PATH=", 0) == 0)
                setenv("PATH", assignment.c_str() + 5, 1);
        execvpe(argv[0], argv.data(), envp.data());
        std::perror("exec");
        _exit(127);
    }
    return pid;
}

void Iterate(const std::function<bool()>& done, Clock::time_point deadline, MapWatch& watch)
{
    GMainContext* context = g_main_context_default();
    const auto keepWaking = [](void*) { return gboolean(G_SOURCE_CONTINUE); };
    const guint wakeUp = g_timeout_add(20, keepWaking, nullptr);
    while (!done() && Clock::now() < deadline) {
        g_main_context_iteration(context, TRUE);
        watch.Drain();
    }
    g_source_remove(wakeUp);
}

Run MeasureOnce(const Case& program, HomePageServer& server, MapWatch& watch,
                const Options& options, const std::string& logPath, const std::string& screenshot)
{
    Run run;
    server.Reset();
    {
        // Lines that the program prints with times on the same clock can be set against this.
        std::ofstream log(logPath, std::ios::app);
        log << "exec " << program.label << " at "
            << Fixed(std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch())
                         .count(),
                     3)
            << "\n";
    }
    const auto start = Clock::now();
    const pid_t pid = Start(program, server.ProxyAddress(), logPath);
    watch.Reset(pid);
    const auto deadline = start + RunTimeout;
    bool ended = false;
    const auto programEnded = [&] {
        int status;
        if (!ended && waitpid(pid, &status, WNOHANG) == pid)
            ended = true;
        return ended;
    };
    Iterate([&] { return (watch.Mapped() && server.Loaded()) || programEnded(); }, deadline, watch);
    if (watch.Mapped() && server.Loaded()) {
        run.mappedMs = Milliseconds(*watch.Mapped() - start);
        run.loadedMs = Milliseconds(*server.Loaded() - start);
        Iterate([&] { return programEnded(); }, Clock::now() + options.settle, watch);
        if (!ended) {
            std::vector<pid_t> tree;
            for (const auto& [processId, process] : Descendants()) {
                const double pss = PssKiB(processId);
                run.pssKiB += pss;
                run.pssKiBByName[process.name] += pss;
                ++run.processesByName[process.name];
                tree.push_back(processId);
            }
            run.distinctKiB = DistinctResidentKiB(tree);
            run.otherWebKitProcesses = OtherWebKitProcesses(tree);
            run.ok = true;
            if (!screenshot.empty()) {
                // Labels may hold blanks: the file name is one argument.
                gchar* quoted = g_shell_quote(screenshot.c_str());
                const std::string command = std::string("import -window root ") + quoted;
                g_free(quoted);
                g_spawn_command_line_sync(command.c_str(), nullptr, nullptr, nullptr, nullptr);
            }
        }
    }
    if (!run.ok)
        run.failure = ended             ? "the program ended early"
                      : !watch.Mapped() ? "no window was mapped"
                                        : "the page never finished loading";
    if (options.details) {
        std::cerr << program.label << ": requests";
        for (const auto& [request, count] : server.Requests())
            std::cerr << " [" << request << "]x" << count << " at "
                      << Fixed(Milliseconds(server.FirstArrivals().at(request) - start), 1)
                      << " ms";
        std::cerr << "\n";
    }
    KillEverything();
    return run;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string Fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        const Options options = ParseOptions(argc, argv);
        // Orphans of the program (double forks) stay below the driver, to be measured and ended.
        prctl(PR_SET_CHILD_SUBREAPER, 1);
        // The driver's own timestamps should not wait behind the program it measures.
        setpriority(PRIO_PROCESS, 0, -5);
        if (!options.screenshots.empty())
            std::filesystem::create_directories(options.screenshots);

        std::ofstream(options.log, std::ios::trunc);
        HomePageServer server;
        MapWatch watch;
        const std::string& logPath = options.log;
        std::vector<std::vector<Run>> runs(options.cases.size());
        for (int round = 0; round < options.warmUp + options.runs; ++round) {
            const bool counted = round >= options.warmUp;
            for (std::size_t c = 0; c < options.cases.size(); ++c) {
                const Case& program = options.cases[c];
                std::string screenshot;
                if (round == options.warmUp && !options.screenshots.empty())
                    screenshot = options.screenshots + "/" + program.label + ".png";
                Run run = MeasureOnce(program, server, watch, options, logPath, screenshot);
                if (!run.ok)
                    throw std::runtime_error(program.label + ": " + run.failure + " (see " +
                                             logPath + ")");
                if (options.details)
                    std::cerr << program.label << (counted ? "" : " (warm-up)") << ": mapped "
                              << Fixed(run.mappedMs, 1) << " ms, loaded " << Fixed(run.loadedMs, 1)
                              << " ms, PSS " << Fixed(run.pssKiB / 1024, 1) << " MiB, pages "
                              << Fixed(run.distinctKiB / 1024, 1) << " MiB, other WebKit processes "
                              << run.otherWebKitProcesses << "\n";
                if (counted)
                    runs[c].push_back(std::move(run));
            }
        }

        struct Medians {
            double mapped, loaded, pss, distinct, others;
        };
        std::vector<Medians> medians;
        for (const auto& caseRuns : runs) {
            std::vector<double> mapped, loaded, pss, distinct, others;
            for (const Run& run : caseRuns) {
                mapped.push_back(run.mappedMs);
                loaded.push_back(run.loadedMs);
                pss.push_back(run.pssKiB / 1024);
                distinct.push_back(run.distinctKiB / 1024);
                others.push_back(run.otherWebKitProcesses);
            }
            medians.push_back(
                {Median(mapped), Median(loaded), Median(pss), Median(distinct), Median(others)});
        }
        const Medians& floor = medians.back();
        if (options.tsv) {
            // label, mapped ms, loaded ms, PSS MiB, distinct resident MiB, other WebKit processes.
            for (std::size_t c = 0; c < runs.size(); ++c)
                std::cout << options.cases[c].label << '\t' << Fixed(medians[c].mapped, 1) << '\t'
                          << Fixed(medians[c].loaded, 1) << '\t' << Fixed(medians[c].pss, 1) << '\t'
                          << Fixed(medians[c].distinct, 1) << '\t' << Fixed(medians[c].others, 1)
                          << '\n';
        } else {
            std::printf("Medians of %d runs; ratios to \"%s\"\n", options.runs,
                        options.cases.back().label.c_str());
            std::printf("%-28s %9s %6s %9s %6s %8s %6s %9s %6s\n", "case", "mapped ms", "ratio",
                        "loaded ms", "ratio", "PSS MiB", "ratio", "pages MiB", "ratio");
            for (std::size_t c = 0; c < runs.size(); ++c)
                std::printf("%-28s %9.1f %6.3f %9.1f %6.3f %8.1f %6.3f %9.1f %6.3f\n",
                            options.cases[c].label.c_str(), medians[c].mapped,
                            medians[c].mapped / floor.mapped, medians[c].loaded,
                            medians[c].loaded / floor.loaded, medians[c].pss,
                            medians[c].pss / floor.pss, medians[c].distinct,
                            medians[c].distinct / floor.distinct);
        }
        if (options.details) {
            std::cerr << "\nMedian PSS by process name (MiB) and process count:\n";
            for (std::size_t c = 0; c < runs.size(); ++c) {
                std::set<std::string> names;
                for (const Run& run : runs[c])
                    for (const auto& [name, pss] : run.pssKiBByName)
                        names.insert(name);
                std::cerr << options.cases[c].label << ":";
                for (const std::string& name : names) {
                    std::vector<double> values;
                    int count = 0;
                    for (const Run& run : runs[c]) {
                        const auto found = run.pssKiBByName.find(name);
                        values.push_back(found == run.pssKiBByName.end() ? 0
                                                                         : found->second / 1024);
                        const auto counted = run.processesByName.find(name);
                        count = std::max(
                            count, counted == run.processesByName.end() ? 0 : counted->second);
                    }
                    std::cerr << "  " << name << " " << Fixed(Median(values), 1) << " (x" << count
                              << ")";
                }
                std::cerr << "\n";
            }
        }
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "startup_driver: " << error.what() << "\n";
        try {
            KillEverything();
        } catch (const std::exception& stuck) {
            std::cerr << "startup_driver: " << stuck.what() << "\n";
        }
        return 1;
    }
}

#include "tests/support/web_process.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <unistd.h>

namespace quillomat::testing {

namespace {

struct ProcessInfo {
    pid_t parent = 0;
    std::string name;
};

std::map<pid_t, ProcessInfo> AllProcesses()
{
    std::map<pid_t, ProcessInfo> processes;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line))
            continue;
        // pid (comm) state ppid ...: comm may hold blanks, so split at the last ')'.
        const auto open = line.find('(');
        const auto close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos)
            continue;
        ProcessInfo info;
        info.name = line.substr(open + 1, close - open - 1);
        info.parent = std::stoi(line.substr(close + 4));
        processes[std::stoi(name)] = info;
    }
    return processes;
}

}  // namespace

std::vector<pid_t> WebContentProcesses()
{
    const auto processes = AllProcesses();
    std::vector<pid_t> found;
    for (const auto& [pid, info] : processes) {
        if (info.name.rfind("WebKitWebProces", 0) != 0)
            continue;
        for (pid_t ancestor = info.parent; ancestor > 1;) {
            if (ancestor == getpid()) {
                found.push_back(pid);
                break;
            }
            const auto next = processes.find(ancestor);
            ancestor = next == processes.end() ? 0 : next->second.parent;
        }
    }
    return found;
}

std::size_t CrashWebContentProcesses()
{
    const std::vector<pid_t> processes = WebContentProcesses();
    for (const pid_t pid : processes)
        kill(pid, SIGKILL);
    return processes.size();
}

}  // namespace quillomat::testing

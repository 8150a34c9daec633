#include "tests/support/web_process.h"

#include <cctype>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <unistd.h>

namespace quillomat::testing {

std::vector<pid_t> WebContentProcesses()
{
    struct Process {
        pid_t parent;
        std::string name;
    };
    std::map<pid_t, Process> processes;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::isdigit(entry.path().filename().string()[0]) || !std::getline(stat, line))
            continue;
        // pid (comm) state ppid ...: comm may hold blanks, so split at the last ')'.
        const auto open = line.find('('), close = line.rfind(')');
        if (open != std::string::npos && close != std::string::npos)
            processes[std::stoi(line)] = {std::stoi(line.substr(close + 4)),
                                          line.substr(open + 1, close - open - 1)};
    }
    std::vector<pid_t> found;
    for (const auto& [pid, process] : processes) {
        if (process.name.rfind("WebKitWebProces", 0) != 0)
            continue;
        for (pid_t ancestor = process.parent; ancestor > 1;) {
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

#include "tests/support/own_x_server.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillomat::testing {

namespace {

// The descriptor on which Xvfb writes its display number once it accepts connections.
constexpr int ReadyDescriptor = 3;

void Stop(pid_t pid)
{
    kill(pid, SIGTERM);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

OwnXServer::OwnXServer()
{
    int first = 0, last = -1;
    const char* range = std::getenv("QUILLOMAT_TEST_DISPLAYS");
    if (!range || std::sscanf(range, "%d-%d", &first, &last) != 2) {
        first = 200 + getpid() % 800;
        last = first + 200;
    }
    // Xvfb is always given its number: left to pick one itself, it tries each display in use by
    // binding its socket, which unlinks that server's socket file for clients in another network
    // namespace. It locks the display before it opens any socket: one in use is left alone.
    std::string number;
    for (int candidate = first; candidate <= last && number.empty(); ++candidate)
        number = Start(":" + std::to_string(candidate));
    if (number.empty())
        throw std::runtime_error("Xvfb found no free display (is the xvfb package installed?)");
    setenv("DISPLAY", (":" + number).c_str(), 1);
    // GTK would rather use a Wayland session's compositor than this server.
    unsetenv("WAYLAND_DISPLAY");
}

OwnXServer::~OwnXServer()
{
    if (pid_ > 0)
        Stop(pid_);
}

std::string OwnXServer::Start(const std::string& display)
{
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot make a pipe for Xvfb");
    const std::string readyText = std::to_string(ReadyDescriptor);
    const char* screen = std::getenv("QUILLOMAT_TEST_SCREEN");
    // Without -noreset the server resets when its last client goes, refusing the next a moment.
    std::vector<const char*> arguments{"Xvfb", display.c_str()};
    for (const char* argument : {"-displayfd", readyText.c_str(), "-screen", "0",
                                 screen ? screen : "1280x1024x24", "-nolisten", "tcp", "-noreset"})
        arguments.push_back(argument);
    arguments.push_back(nullptr);

    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("cannot start Xvfb");
    if (pid_ == 0) {
        // The server ends with the test, even one that crashes.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(1);
        // dup2 onto the same number would keep close-on-exec.
        if (ready[1] == ReadyDescriptor)
            fcntl(ready[1], F_SETFD, 0);
        else
            dup2(ready[1], ReadyDescriptor);
        // Its warnings about the keyboard map tell a test nothing.
        const int nothing = open("/dev/null", O_WRONLY);
        dup2(nothing, STDOUT_FILENO);
        dup2(nothing, STDERR_FILENO);
        execvp(arguments[0], const_cast<char* const*>(arguments.data()));
        _exit(127);
    }
    close(ready[1]);
    std::string number;
    for (char digit;;) {
        const ssize_t got = read(ready[0], &digit, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got != 1 || digit == '\n')
            break;
        number += digit;
    }
    close(ready[0]);
    if (number.empty()) {
        // The display is taken, or Xvfb cannot run here.
        Stop(pid_);
        pid_ = 0;
    }
    return number;
}

void UseOwnXServer()
{
    static const OwnXServer* const server = new OwnXServer;
    static_cast<void>(server);
}

}  // namespace quillomat::testing

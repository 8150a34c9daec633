// Runs a command on an X server of its own and returns its exit status:
//   with_own_x_server COMMAND [ARGUMENT...]
#include <cerrno>
#include <cstdio>
#include <exception>
#include <iostream>

#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/own_x_server.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: with_own_x_server COMMAND [ARGUMENT...]\n";
        return 2;
    }
    try {
        const quillomat::testing::OwnXServer server;
        const pid_t child = fork();
        if (child == 0) {
            execvp(argv[1], argv + 1);
            std::perror(argv[1]);
            _exit(127);
        }
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
}

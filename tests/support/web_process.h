#pragma once

#include <vector>

#include <sys/types.h>

namespace quillomat::testing {

// WebKit's web content processes started by this test process, sandboxed or not.
std::vector<pid_t> WebContentProcesses();

// Kills them as a crash would; returns how many there were.
std::size_t CrashWebContentProcesses();

}  // namespace quillomat::testing

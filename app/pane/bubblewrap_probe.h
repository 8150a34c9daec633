#pragma once

namespace quillomat {

// Starts the probe below on a thread of its own, unless it has started already: running
// bubblewrap takes a while, which the program can spend building its window.
void StartBubblewrapProbe();

// Whether bubblewrap can build the kind of sandbox WebKit puts its web processes in. Probed
// once per run; waits for the probe when it is still running.
bool BubblewrapSandboxWorks();

}  // namespace quillomat

#pragma once

namespace quillomat {

// Starts the probe below on a thread of its own, unless it has started already, so that the
// program builds its window meanwhile.
void StartBubblewrapProbe();

// Whether bubblewrap can build the kind of sandbox WebKit puts its web processes in. Probed
// once per run; waits for the probe when it is still running.
bool BubblewrapSandboxWorks();

}  // namespace quillomat

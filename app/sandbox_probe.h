#pragma once

namespace quillomat {

// Whether bubblewrap can build the kind of sandbox WebKit puts its web processes in. Probed
// once per run.
bool BubblewrapSandboxWorks();

}  // namespace quillomat

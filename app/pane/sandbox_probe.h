#pragma once

namespace quillomat {

// Starts the probe below on a thread of its own, unless it has started already: running
// bubblewrap takes a while, which the program can spend building its window.
void StartBubblewrapProbe();

// Whether bubblewrap can build the kind of sandbox WebKit puts its web processes in. Probed
// once per run; waits for the probe when it is still running.
bool BubblewrapSandboxWorks();

// Where the session announces an accessibility bus that cannot be reached (its folder removed,
// its daemon gone), WebKit would abort on failing to bring it into the sandbox, and the toolkit
// would complain that it cannot connect: the program, the web content included, then goes
// without it. Call before GTK starts.
void ForgoUnreachableAccessibilityBus();

// Removes the folders WebKit made for this process's sandboxed web processes in the desktop's
// list of sandboxed instances (".flatpak" in the user's runtime folder, else in the cache
// folder, where nothing else would ever remove them). For the end of the program, once its web
// views are gone.
void RemoveSandboxLeftovers();

}  // namespace quillomat

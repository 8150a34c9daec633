#pragma once

namespace quillomat {

// Where the session announces an accessibility bus that cannot be reached (its folder removed,
// its daemon gone), WebKit would abort bringing it into its sandbox and the toolkit complain:
// the program, its web content included, then goes without it. Call before GTK starts.
void ForgoUnreachableAccessibilityBus();

}  // namespace quillomat

#pragma once

namespace quillomat {

// Where the session announces an accessibility bus that cannot be reached (its folder removed,
// its daemon gone), WebKit would abort on failing to bring it into the sandbox, and the toolkit
// would complain that it cannot connect: the program, the web content included, then goes
// without it. Call before GTK starts.
void ForgoUnreachableAccessibilityBus();

}  // namespace quillomat

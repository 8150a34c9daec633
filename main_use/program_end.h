#pragma once

#include <functional>
#include <string>

namespace quillomat {

// The program's end, the same whatever the way out. Once it has begun, no box, picker, notice,
// print or page dialog opens: nobody would read it, and it would hold the end.
bool ProgramEnding();
// Returns whether this call began it.
bool BeginProgramEnd();

// Files of the run's own that must not outlive it, such as a download's partial file. Their
// owner removes them at an orderly end; an abrupt one removes those still listed.
void ListRunFile(const std::string& path);
void UnlistRunFile(const std::string& path);

// What an abrupt end still tidies once the run's files are gone.
void SetAbruptEndTidy(std::function<void()> tidy);
// Ends the process at once, where no orderly end can come any more (the display is gone, an
// unexpected error was reported): the run's files and the tidying go first.
[[noreturn]] void EndAbruptly(int status);

}  // namespace quillomat

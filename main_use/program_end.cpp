#include "main_use/program_end.h"

#include <cstdio>
#include <cstdlib>
#include <set>
#include <utility>

namespace quillomat {

namespace {

bool ending = false;
std::set<std::string> runFiles;
std::function<void()> abruptEndTidy;

}  // namespace

bool ProgramEnding()
{
    return ending;
}

bool BeginProgramEnd()
{
    return !std::exchange(ending, true);
}

void ListRunFile(const std::string& path)
{
    runFiles.insert(path);
}

void UnlistRunFile(const std::string& path)
{
    runFiles.erase(path);
}

void SetAbruptEndTidy(std::function<void()> tidy)
{
    abruptEndTidy = std::move(tidy);
}

void EndAbruptly(int status)
{
    for (const std::string& file : runFiles)
        std::remove(file.c_str());
    if (abruptEndTidy)
        abruptEndTidy();
    std::_Exit(status);
}

}  // namespace quillomat

#include "main_use/program_end.h"

#include <cstdio>
#include <cstdlib>
#include <set>
#include <utility>

namespace quillomat {

namespace {

bool ending = false;

std::set<std::string>& RunFiles()
{
    static std::set<std::string> files;
    return files;
}

std::function<void()>& AbruptEndTidy()
{
    static std::function<void()> tidy;
    return tidy;
}

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
    RunFiles().insert(path);
}

void UnlistRunFile(const std::string& path)
{
    RunFiles().erase(path);
}

void SetAbruptEndTidy(std::function<void()> tidy)
{
    AbruptEndTidy() = std::move(tidy);
}

void EndAbruptly(int status)
{
    for (const std::string& file : RunFiles())
        std::remove(file.c_str());
    if (AbruptEndTidy())
        AbruptEndTidy()();
    std::_Exit(status);
}

}  // namespace quillomat

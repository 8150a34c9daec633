#include "app/program/program_start.h"

int main()
{
    return quillomat::RunProgram();
}

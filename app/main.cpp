#include "app/program_start.h"

int main()
{
    return quillomat::RunProgram();
}

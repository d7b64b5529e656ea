#include "CommandLine.h"
#include "Program.h"

int main(int argc, char** argv)
{
    if (const auto answered = answerCommandLine(argc, argv))
        return *answered;
    return runProgram(argc, argv);
}

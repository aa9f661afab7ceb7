// pexa's command line alone, with no Qt library linked: next to pexa --eval,
// what loading Qt's shared libraries (which pexa needs for its window) adds
// to a command-line run. bench/eval_startup.sh runs both.

#include "cli/CommandLine.h"

int main(int argc, char* argv[]) {
    return pexa::RunCommandLine(argc, argv);
}

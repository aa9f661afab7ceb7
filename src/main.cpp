// The program: "pexa --eval …" answers on the command line without Qt's
// graphical side (no application object, so no platform plugin and no
// display); any other command line opens the window.

#include "cli/CommandLine.h"
#include "ui/app/WindowProgram.h"

int main(int argc, char* argv[]) {
    if (pexa::IsCommandLineRun(argc, argv))
        return pexa::RunCommandLine(argc, argv);
    return pexa::RunWindowProgram(argc, argv);
}

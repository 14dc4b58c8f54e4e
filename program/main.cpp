// Start-up: the menu window is created and shown; everything else happens in the
// windows' event handlers.
#include "program/Program.h"
#include "services/Application.h"
#include "services/ProgramEnd.h"

int main(int argc, char* argv[]) {
    ui::Application application(argc, argv);
    ui::Program program(application.Boxes(), ui::EndProgramNow);
    program.Start();
    return application.Run();
}

#include "converter/controller.h"
#include "converter/startup.h"
#include "toolkit/toolkit.h"

int main(int argc, char** argv)
{
    toolkit::UseCommandLine(argc, argv);
    converter::ControllerState state;
    converter::StartUp(state);
    converter::RunMainLoop(state);
}

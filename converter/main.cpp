#include "converter/controller.h"
#include "converter/startup.h"

int main()
{
    converter::ControllerState state;
    converter::StartUp(state);
    converter::RunMainLoop(state);
}

// The viewer's entry point.
#include "platform/Messages.h"
#include "app/StartUp.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show)
{
    // The quit message's exit code; after a failure, shown in a message box, 0.
    return run_outermost([&] { return run_viewer(show); });
}

#include "app/tido_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    Win32System system;
    CTidoApp app(system);
    return app.Run();
}

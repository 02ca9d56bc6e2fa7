// log_writer.exe TAG TEXT SUFFIX: writes one installer-log line through Tido's own log, with
// the real clock and time zone of this process.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4)
        return 87;
    Win32System system;
    CTidoApp app(system);
    CTidoDlg dialog(102, &app);
    dialog.WriteLog(argv[1], argv[2], argv[3]);
    return 0;
}

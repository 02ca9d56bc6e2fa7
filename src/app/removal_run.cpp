#include "dialog/tido_dlg.h"

// The removal itself is not wired in yet: a silent run reports that nothing was done.
int CTidoDlg::RemovalRun()
{
    return 2;
}

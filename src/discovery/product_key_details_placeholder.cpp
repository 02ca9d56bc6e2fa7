// Placeholder until the program and data locations land (replaced by them): the product key's
// lines in the details box are theirs to write.
#include "dialog/tido_dlg.h"

void CTidoDlg::ShowProductKeyDetails()
{
}

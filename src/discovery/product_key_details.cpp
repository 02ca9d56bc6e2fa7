#include "dialog/tido_dlg.h"

#include "discovery/product_keys.h"
#include "registry/registry_key.h"
#include "res/resource.h"

void CTidoDlg::ShowProductKeyDetails()
{
    if (!ShowsControl(m_editDetails))
        return;  // the details box exists only in the full dialog
    const REGSAM access = kRegistryRead | KEY_WOW64_32KEY;
    const wchar_t* path = ProductKeyPath(m_bLarkspan != 0, access);
    RegistryKey productKey;
    if (OpenRegistryKey(productKey, HKEY_LOCAL_MACHINE, path, access) != ERROR_SUCCESS)
        return;
    AppendDetailLine(IDS_LABEL_PROGRAM_LOCATION, ReadRegistryString(productKey, L"Path"));
    AppendDetailLine(IDS_LABEL_DATA_LOCATION, ReadRegistryString(productKey, L"DataPath"));
    AppendDetailLine(IDS_LABEL_MULTIUSER, ReadRegistryDwordText(productKey, L"MultiUser"));
}

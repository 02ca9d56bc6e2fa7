#include "dialog/tido_dlg.h"

#include "product/product.h"
#include "registry/registry_key.h"

namespace {

const UINT kProgramLocationLabel = 112;  // "Program Location: "
const UINT kDataLocationLabel = 113;     // "Data Location: "
const UINT kMultiUserLabel = 114;        // "Multiuser : "

}  // namespace

void CTidoDlg::ShowProductKeyDetails()
{
    if (!ShowsControl(m_editDetails))
        return;  // the details box exists only in the full dialog
    const REGSAM access = kRegistryRead | KEY_WOW64_32KEY;
    const wchar_t* path = kCorlaProductKey;
    if (m_bLarkspan) {
        RegistryKey tlka;
        path = OpenRegistryKey(tlka, HKEY_LOCAL_MACHINE, kTlkaProductKey, access) == ERROR_SUCCESS
                   ? kTlkaProductKey
                   : kOlkaProductKey;
    }
    RegistryKey productKey;
    if (OpenRegistryKey(productKey, HKEY_LOCAL_MACHINE, path, access) != ERROR_SUCCESS)
        return;
    AppendDetailLine(kProgramLocationLabel, ReadRegistryString(productKey, L"Path"));
    AppendDetailLine(kDataLocationLabel, ReadRegistryString(productKey, L"DataPath"));
    AppendDetailLine(kMultiUserLabel, ReadRegistryDwordText(productKey, L"MultiUser"));
}

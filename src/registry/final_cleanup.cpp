// The last registry steps: the client platform's registrations of the product, the products'
// own keys and their language packs. Each only deletes keys named in final_tables.h.
#include "dialog/tido_dlg.h"
#include "registry/final_tables.h"

#include <span>

namespace {

const wchar_t kCdmTag[] = L"TIDO: CleanCDM";
const wchar_t kFinallyTag[] = L"TIDO: CleanRegistryFinally";
const wchar_t kMuiPackTag[] = L"TIDO: CleanRegistryMUIPack";

// Deletes the rows of the selected product, in table order.
void DeleteKeyTrees(CTidoDlg& dialog, std::span<const KeyTreeEntry> entries)
{
    ProductSet selected = dialog.m_bLarkspan ? ProductSet::Larkspan : ProductSet::Corla;
    for (const KeyTreeEntry& entry : entries) {
        if (entry.set == selected)
            dialog.DeleteRegistryRecurse(entry.hive, entry.parent, entry.subKey, entry.view);
    }
}

}  // namespace

bool CTidoDlg::CleanCDM()
{
    // The client platform keys belong to Corla alone: a Larkspan removal leaves no trace here.
    if (m_bLarkspan)
        return false;
    WriteLog(kCdmTag, L"Entering", L"");
    for (const ClientPlatformParent& parent : kClientPlatformParents) {
        for (const wchar_t* subKey : kClientPlatformSubKeys)
            DeleteRegistryRecurse(parent.hive, parent.path, subKey, parent.view);
    }
    WriteLog(kCdmTag, L"Exiting", L"");
    return true;
}

bool CTidoDlg::CleanRegistryFinally()
{
    WriteLog(kFinallyTag, L"Entering", L"");
    DeleteKeyTrees(*this, kProductKeys);
    WriteLog(kFinallyTag, L"Exiting", L"");
    return true;
}

bool CTidoDlg::CleanRegistryMUIPack()
{
    WriteLog(kMuiPackTag, L"Entering", L"");
    DeleteKeyTrees(*this, kLanguagePackKeys);
    WriteLog(kMuiPackTag, L"Exiting", L"");
    return true;
}

// The shared-DLL reference entries the product's installer made for files of the program
// directory.
#include "dialog/tido_dlg.h"

#include "discovery/product_keys.h"
#include "product/product.h"
#include "registry/registry_doors.h"
#include "registry/registry_key.h"

namespace {

const wchar_t kTag[] = L"TIDO: CleanSharedDlls";
const wchar_t kSharedDllsKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls\\";
// The product's 32-bit installer wrote both keys in the 32-bit view.
constexpr REGSAM kProductKeyRead = kRegistryRead | KEY_WOW64_32KEY;
constexpr REGSAM kSharedDllsAccess = kRegistryReadWrite | KEY_WOW64_32KEY;

}  // namespace

// The entries are removed outright, whatever their counts: the files go with the product.
BOOL CTidoDlg::CleanSharedDlls()
{
    const wchar_t* productKeyName = ProductKeyPath(m_bLarkspan != 0, kProductKeyRead);
    WriteLog(kTag, L"Entering", L"");
    RegistryKey productKey;
    if (OpenRegistryKey(productKey, HKEY_LOCAL_MACHINE, productKeyName, kProductKeyRead) !=
        ERROR_SUCCESS) {
        WriteLog(kTag, L"ERROR: ", L"Get Corla install path failed");
        return 0;
    }
    // The installer recorded the path with its trailing backslash; the file names follow it.
    std::wstring programPath = ReadRegistryString(productKey, L"Path");
    WriteLog(kTag, L"Get Corla install path: ", programPath);
    RegistryKey sharedDlls;
    if (OpenRegistryKey(sharedDlls, HKEY_LOCAL_MACHINE, kSharedDllsKey, kSharedDllsAccess) ==
        ERROR_SUCCESS) {
        for (const SharedDllFile& file : kSharedDllFiles) {
            if (file.corlaOnly && m_bLarkspan)
                continue;
            std::wstring valueName = programPath + file.fileName;
            DeleteRegistryValue(sharedDlls, valueName);
            WriteLog(kTag, L"Registry value deleted: ", valueName);
        }
    }
    WriteLog(kTag, L"Exiting", L"");
    return 1;
}

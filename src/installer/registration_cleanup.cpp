#include "dialog/tido_dlg.h"

#include "discovery/product_keys.h"
#include "registry/registry_key.h"

#include <vector>

namespace {

const wchar_t kTag[] = L"TIDO: CleanRegistryNoARP";
const wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const wchar_t kProductsKey[] = L"SOFTWARE\\Classes\\Installer\\Products";
const wchar_t kUpgradeCodesKey[] = L"SOFTWARE\\Classes\\Installer\\UpgradeCodes";
const wchar_t kUserDataProductsKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Products";

// Sub-keys are opened for reading and writing: one that cannot be changed is passed over.
const REGSAM kEntryAccess = KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;

// The names of all sub-keys present now, so that deleting one while walking them neither
// skips nor repeats another.
std::vector<std::wstring> SubKeyNames(RegistryKey& parent)
{
    std::vector<std::wstring> names;
    wchar_t name[260];
    for (DWORD index = 0;; ++index) {
        DWORD length = 259;
        if (RegEnumKeyExW(parent.Handle(), index, name, &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

std::wstring ReadNameOf(HKEY parent, const std::wstring& subKey, const wchar_t* valueName,
                        REGSAM view, bool& opened)
{
    RegistryKey entry;
    opened = OpenRegistryKey(entry, parent, subKey, kEntryAccess | view) == ERROR_SUCCESS;
    return opened ? ReadRegistryString(entry, valueName) : L"";
}

// An upgrade-code key lists its products as string values named by packed product code.
bool ListsProduct(HKEY upgradeCodes, const std::wstring& upgradeCode, const std::wstring& product)
{
    RegistryKey entry;
    if (OpenRegistryKey(entry, upgradeCodes, upgradeCode, kEntryAccess | KEY_WOW64_64KEY) !=
        ERROR_SUCCESS)
        return false;
    wchar_t data[260];
    DWORD type = 0, size = sizeof(data);
    if (RegQueryValueExW(entry.Handle(), product.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
        return false;
    bool isString = type == REG_SZ || type == REG_EXPAND_SZ;
    bool terminated = size == 0 || (size % 2 == 0 && data[size / 2 - 1] == L'\0');
    return isString && terminated;
}

}  // namespace

void CTidoDlg::CleanRegistryNoARP()
{
    WriteLog(kTag, L"Entering", L" ");
    CleanUninstallEntries();
    CleanInstallerProducts();
    CleanInstallerUserData();
    WriteLog(kTag, L"Exiting", L" ");
}

void CTidoDlg::CleanUninstallEntries()
{
    RegistryKey parent;
    if (OpenRegistryKey(parent, HKEY_LOCAL_MACHINE, kUninstallKey,
                        kRegistryRead | KEY_WOW64_32KEY) != ERROR_SUCCESS)
        return;
    for (const std::wstring& subKey : SubKeyNames(parent)) {
        bool opened = false;
        std::wstring name = ReadNameOf(parent.Handle(), subKey, L"DisplayName", KEY_WOW64_32KEY,
                                       opened);
        if (!opened || !BelongsToProduct(name, m_bLarkspan != 0))
            continue;
        WriteLog(kTag, L"Corla uninstall string found, should remove: ",
                 std::wstring(kUninstallKey) + L"\\" + subKey);
        DeleteRegistryRecurse(HKEY_LOCAL_MACHINE, kUninstallKey, subKey, KEY_WOW64_32KEY);
    }
}

void CTidoDlg::CleanInstallerProducts()
{
    RegistryKey parent;
    if (OpenRegistryKey(parent, HKEY_LOCAL_MACHINE, kProductsKey,
                        kRegistryRead | KEY_WOW64_64KEY) != ERROR_SUCCESS)
        return;
    for (const std::wstring& subKey : SubKeyNames(parent)) {
        bool opened = false;
        std::wstring name = ReadNameOf(parent.Handle(), subKey, L"ProductName", KEY_WOW64_64KEY,
                                       opened);
        if (!opened || !BelongsToProduct(name, m_bLarkspan != 0))
            continue;
        WriteLog(kTag, L"Corla installer string found, should remove: ",
                 std::wstring(kProductsKey) + L"\\" + subKey);
        DeleteRegistryRecurse(HKEY_LOCAL_MACHINE, kProductsKey, subKey, KEY_WOW64_64KEY);
        CleanFirstUpgradeCode(subKey);
    }
}

// At most one upgrade code goes per product: the first that lists it.
void CTidoDlg::CleanFirstUpgradeCode(const std::wstring& product)
{
    RegistryKey upgradeCodes;
    if (OpenRegistryKey(upgradeCodes, HKEY_LOCAL_MACHINE, kUpgradeCodesKey,
                        kRegistryRead | KEY_WOW64_64KEY) != ERROR_SUCCESS)
        return;
    for (const std::wstring& upgradeCode : SubKeyNames(upgradeCodes)) {
        if (!ListsProduct(upgradeCodes.Handle(), upgradeCode, product))
            continue;
        WriteLog(kTag, L"Corla upgrade code string found, should remove: ",
                 std::wstring(kUpgradeCodesKey) + L"\\" + upgradeCode);
        DeleteRegistryRecurse(HKEY_LOCAL_MACHINE, kUpgradeCodesKey, upgradeCode, KEY_WOW64_64KEY);
        return;
    }
}

void CTidoDlg::CleanInstallerUserData()
{
    RegistryKey parent;
    if (OpenRegistryKey(parent, HKEY_LOCAL_MACHINE, kUserDataProductsKey,
                        kRegistryRead | KEY_WOW64_64KEY) != ERROR_SUCCESS)
        return;
    for (const std::wstring& subKey : SubKeyNames(parent)) {
        bool opened = false;
        std::wstring name = ReadNameOf(parent.Handle(), subKey + L"\\InstallProperties",
                                       L"DisplayName", KEY_WOW64_64KEY, opened);
        if (!opened || !BelongsToProduct(name, m_bLarkspan != 0))
            continue;
        WriteLog(kTag, L"Corla install string found, should remove: ",
                 std::wstring(kUserDataProductsKey) + L"\\" + subKey);
        DeleteRegistryRecurse(HKEY_LOCAL_MACHINE, kUserDataProductsKey, subKey, KEY_WOW64_64KEY);
    }
}

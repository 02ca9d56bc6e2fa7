// The scan for installations: the installer's machine-wide registrations first, the
// products' own keys only when the installer knows of none.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "discovery/product_keys.h"
#include "platform/strings.h"
#include "product/product.h"
#include "registry/registry_key.h"

namespace {

const wchar_t kInstallerProducts[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Products";
constexpr REGSAM kInstallerDataAccess = kRegistryRead | KEY_WOW64_64KEY;

const wchar_t kLanguagePackMark[] = L"MUI Pack";

// The products' own keys, read only when the installer data hold no installation.
struct ProductKeyRow {
    const wchar_t* path;
    const wchar_t* key;
};
const ProductKeyRow kCorlaFallbackRow = {kCorlaProductKey, L"temp_arp"};
// The TLKA key, when present, hides the older OLKA one.
const ProductKeyRow kLarkspanFallbackRows[] = {
    {kTlkaProductKey, L"temp_arp_olka"},
    {kOlkaProductKey, L"temp_arp_tlka"},
};

// Text values of InstallProperties copied into a record as they are.
const struct {
    const wchar_t* valueName;
    std::wstring CCorlaInstance::*field;
} kInstallPropertiesTexts[] = {
    {L"DisplayVersion", &CCorlaInstance::m_strDisplayVersion},
    {L"LocalPackage", &CCorlaInstance::m_strLocalPackage},
    {L"InstallDate", &CCorlaInstance::m_strInstallDate},
    {L"InstallLocation", &CCorlaInstance::m_strInstallLocation},
    {L"InstallSource", &CCorlaInstance::m_strInstallSource},
    {L"UninstallString", &CCorlaInstance::m_strUninstallString},
};

// What one scan carries from record to record.
struct ScanProgress {
    std::wstring firstKey;
    std::wstring lastName;
    int installerRecords = 0;
};

// A display name of either product.
bool IsRecognisedName(const std::wstring& displayName)
{
    return BelongsToProduct(displayName, false) || BelongsToProduct(displayName, true);
}

bool Contains(const std::wstring& text, const wchar_t* part)
{
    return text.find(part) != std::wstring::npos;
}

// The name a product key stands for when it has no "Description".
std::wstring DefaultDisplayName(const std::wstring& path)
{
    bool tav = Contains(path, L"Tav");
    if (Contains(path, L"Corla"))
        return tav ? L"Tav Corla" : L"Omb Corla";
    return tav ? L"Tav Larkspan" : L"Omb Larkspan";
}

// The major version from the start of a "Version" text such as "10.5.1": the leading digits
// of its first two characters, 0 when there are none.
DWORD MajorVersionOf(const std::wstring& version)
{
    DWORD major = 0;
    for (wchar_t c : version.substr(0, 2)) {
        if (c < L'0' || c > L'9')
            break;
        major = major * 10 + (c - L'0');
    }
    return major;
}

// One line in the instance list and its index's key. Without the list (a silent run) the
// index is the one the list would have given.
void AddInstanceLine(CTidoDlg& dialog, const std::wstring& name, const std::wstring& key)
{
    int index;
    if (dialog.ShowsControl(dialog.m_comboInstances))
        index = dialog.m_comboInstances.InsertString(-1, Format(L"%s", name.c_str()));
    else
        index = dialog.m_mapComboCodes.empty() ? 0 : dialog.m_mapComboCodes.rbegin()->first + 1;
    if (index >= 0)  // a failed insert must not map the "no selection" index
        dialog.m_mapComboCodes[index] = key;
}

void FillInstallerRecord(CCorlaInstance& record, RegistryKey& properties,
                         const std::wstring& displayName)
{
    record.m_strDisplayName = displayName;
    for (const auto& text : kInstallPropertiesTexts)
        record.*text.field = ReadRegistryString(properties, text.valueName);
    record.m_strEstimatedSize = ReadRegistryDwordText(properties, L"EstimatedSize");
    record.m_nVersionMajor = ReadRegistryDword(properties, L"VersionMajor");
    record.m_nVersionMinor = ReadRegistryDword(properties, L"VersionMinor");
}

void AddInstallerRecord(CTidoDlg& dialog, RegistryKey& products, const std::wstring& productKey,
                        ScanProgress& progress)
{
    RegistryKey properties;
    if (OpenRegistryKey(properties, products.Handle(), productKey + L"\\InstallProperties",
                        kInstallerDataAccess) != ERROR_SUCCESS)
        return;
    std::wstring displayName = ReadRegistryString(properties, L"DisplayName");
    if (!IsRecognisedName(displayName))
        return;
    if (Contains(displayName, kLanguagePackMark)) {
        dialog.m_bMuiPackFound = 1;
        return;
    }
    progress.lastName = displayName;
    AddInstanceLine(dialog, displayName, productKey);
    CCorlaInstance& record = dialog.m_mapInstances.Add(productKey);
    FillInstallerRecord(record, properties, displayName);
    ++progress.installerRecords;
    if (progress.firstKey.empty())
        progress.firstKey = productKey;
    else if (progress.installerRecords == 2 && !dialog.m_bCoexist)
        dialog.m_strSecondUninstallString = record.m_strUninstallString;
}

void ScanInstallerProducts(CTidoDlg& dialog, ScanProgress& progress)
{
    RegistryKey products;
    if (OpenRegistryKey(products, HKEY_LOCAL_MACHINE, kInstallerProducts,
                        kInstallerDataAccess) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0;; ++index) {
        wchar_t name[260];
        DWORD length = 259;
        // ERROR_NO_MORE_ITEMS ends the walk; so does any failure, whose name is not usable.
        if (RegEnumKeyExW(products.Handle(), index, name, &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            break;
        AddInstallerRecord(dialog, products, name, progress);
    }
}

// A record made from a product key; false when the key does not open.
bool AddProductKeyRecord(CTidoDlg& dialog, const ProductKeyRow& row, ScanProgress& progress)
{
    RegistryKey productKey;
    if (OpenRegistryKey(productKey, HKEY_LOCAL_MACHINE, row.path, kRegistryRead) !=
        ERROR_SUCCESS)
        return false;
    std::wstring name = ReadRegistryString(productKey, L"Description");
    if (name.empty())
        name = DefaultDisplayName(row.path);
    progress.lastName = name;
    AddInstanceLine(dialog, name, row.key);
    if (progress.firstKey.empty())
        progress.firstKey = row.key;
    CCorlaInstance& record = dialog.m_mapInstances.Add(row.key);
    record.m_strDisplayName = name;
    record.m_strDisplayVersion = ReadRegistryString(productKey, L"Version");
    record.m_nVersionMajor = MajorVersionOf(record.m_strDisplayVersion);
    return true;
}

void ScanProductKeys(CTidoDlg& dialog, ScanProgress& progress)
{
    AddProductKeyRecord(dialog, kCorlaFallbackRow, progress);
    for (const ProductKeyRow& row : kLarkspanFallbackRows) {
        if (AddProductKeyRecord(dialog, row, progress))
            break;
    }
}

}  // namespace

void CTidoDlg::ScanInstallations()
{
    m_bMuiPackFound = 0;
    m_mapInstances.RemoveAll();
    // Belongs to the records just discarded: a rescan must not keep another scan's product.
    m_strSecondUninstallString.clear();
    ScanProgress progress;
    ScanInstallerProducts(*this, progress);
    if (m_mapInstances.IsEmpty())
        ScanProductKeys(*this, progress);
    ShowInstanceDetails(progress.firstKey);
    if (IsSilent())
        return;
    if (m_comboInstances.Bound())
        m_comboInstances.SetCurSel(0);
    if (IsRecognisedName(progress.lastName))
        ShowProductKeyDetails();
}

void CTidoDlg::SelectProductInstance()
{
    if (m_pApp->m_nProduct == 0)
        return;
    const wchar_t* word = m_pApp->m_nProduct == 1 ? L"Corla" : L"Larkspan";
    for (const CInstanceMap::Entry& entry : m_mapInstances) {
        if (Contains(entry.second->m_strDisplayName, word)) {
            m_strTargetCode = entry.first;
            return;
        }
    }
}

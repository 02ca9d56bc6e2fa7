// The selected installation: its values copied into the run state, and its details shown.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "discovery/product_keys.h"
#include "platform/strings.h"
#include "res/resource.h"

namespace {

// The record's texts in the order the box shows them, after the version.
const struct {
    UINT labelId;
    std::wstring CCorlaInstance::*field;
} kDetailTexts[] = {
    {IDS_LABEL_DATE_INSTALLED, &CCorlaInstance::m_strInstallDate},
    {IDS_LABEL_INSTALL_LOCATION, &CCorlaInstance::m_strInstallLocation},
    {IDS_LABEL_INSTALL_SOURCE, &CCorlaInstance::m_strInstallSource},
    {IDS_LABEL_LOCAL_PACKAGE, &CCorlaInstance::m_strLocalPackage},
    {IDS_LABEL_UNINSTALL_COMMAND, &CCorlaInstance::m_strUninstallString},
    {IDS_LABEL_SIZE_ON_DISK, &CCorlaInstance::m_strEstimatedSize},
};

// Records made from a product key rather than installer data: they know only a version.
const wchar_t* const kFallbackKeys[] = {L"temp_arp", L"temp_arp_olka", L"temp_arp_tlka"};

// Controls that EnableControls switches, in the order of its flags.
const int kEnabledControls[] = {IDOK, IDCANCEL, IDC_BUTTON_RESCAN, IDC_CHECK_PROGRAM_FILES,
                                 IDC_CHECK_DATA_FILES};

bool IsFallbackKey(const std::wstring& key)
{
    for (const wchar_t* fallback : kFallbackKeys) {
        if (key == fallback)
            return true;
    }
    return false;
}

}  // namespace

void CTidoDlg::EnableControls(BOOL remove, BOOL quit, BOOL rescan, BOOL programFiles,
                              BOOL dataFiles)
{
    if (!Hwnd())
        return;
    const BOOL flags[] = {remove, quit, rescan, programFiles, dataFiles};
    for (size_t i = 0; i < std::size(kEnabledControls); ++i)
        EnableWindow(GetItem(kEnabledControls[i]), flags[i] ? TRUE : FALSE);
}

void CTidoDlg::ShowInstanceDetails(const std::wstring& key)
{
    m_bLarkspan = 0;
    bool showDetails = ShowsControl(m_editDetails);
    if (ShowsControl(m_comboInstances))
        m_comboInstances.Enable(!m_mapInstances.IsEmpty());
    if (showDetails) {
        m_editDetails.SetText(L"");
        AppendDetailLine(IDS_NO_INSTALLATIONS, L"");
    }
    if (key.empty()) {
        if (IsSilent())
            return;
        if (!m_pApp->m_bWipe) {
            EnableControls(0, 1, 1, 0, 0);
        } else if (showDetails) {  // Remove keeps its state: wipe mode needs no installation
            AppendDetailText(L"");
            AppendDetailLine(IDS_WIPE_MODE_ON, L"");
            AppendDetailLine(IDS_WIPE_MODE_SCOPE, L"");
        }
        return;
    }
    const CCorlaInstance* record = m_mapInstances.Find(key);
    if (!record)
        return;
    if (showDetails) {
        m_editDetails.SetText(L"");
        AppendDetailLine(IDS_LABEL_VERSION, record->m_strDisplayVersion);
        if (!IsFallbackKey(key)) {
            for (const auto& text : kDetailTexts)
                AppendDetailLine(text.labelId, record->*text.field);
            AppendDetailLine(IDS_LABEL_MAJOR_VERSION,
                             Format(L"%ld", static_cast<long>(record->m_nVersionMajor)));
            AppendDetailLine(IDS_LABEL_MINOR_VERSION,
                             Format(L"%ld", static_cast<long>(record->m_nVersionMinor)));
        }
    }
    m_strDisplayVersion = record->m_strDisplayVersion;
    m_strUninstallString = record->m_strUninstallString;
    m_nVersionMajor = record->m_nVersionMajor;
    m_strDisplayName = record->m_strDisplayName;
    m_bLarkspan = BelongsToProduct(m_strDisplayName, true) ? 1 : 0;
}

void CTidoDlg::AppendDetailLine(UINT labelId, const std::wstring& value)
{
    AppendDetailText(LoadResString(labelId) + value);
}

void CTidoDlg::AppendDetailText(const std::wstring& text)
{
    if (!ShowsControl(m_editDetails))
        return;
    int length = GetWindowTextLengthW(m_editDetails.Hwnd());
    std::wstring line = length == 0 ? text : L"\r\n" + text;
    m_editDetails.Send(EM_SETSEL, length, length);
    m_editDetails.Send(EM_SCROLLCARET);
    m_editDetails.Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
    // Following the caret to the end of a long line scrolls the box sideways, and it would
    // stay there, hiding the labels of every line: keep the new line in view, from its start.
    m_editDetails.Send(WM_HSCROLL, SB_LEFT);
}

// The selected installation: its values copied into the run state, and its details shown.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "platform/strings.h"

namespace {

// Labels of the details box in the string table.
constexpr UINT kLabelNothingDetected = 102;
constexpr UINT kLabelVersion = 103;
constexpr UINT kLabelMajorVersion = 110;
constexpr UINT kLabelMinorVersion = 111;
constexpr UINT kLabelWipeMode = 126;
constexpr UINT kLabelWipeModeRemoves = 127;

// The record's texts in the order the box shows them, after the version.
const struct {
    UINT labelId;
    std::wstring CCorlaInstance::*field;
} kDetailTexts[] = {
    {104, &CCorlaInstance::m_strInstallDate},
    {105, &CCorlaInstance::m_strInstallLocation},
    {106, &CCorlaInstance::m_strInstallSource},
    {107, &CCorlaInstance::m_strLocalPackage},
    {108, &CCorlaInstance::m_strUninstallString},
    {109, &CCorlaInstance::m_strEstimatedSize},
};

// Records made from a product key rather than installer data: they know only a version.
const wchar_t* const kFallbackKeys[] = {L"temp_arp", L"temp_arp_olka", L"temp_arp_tlka"};
const wchar_t* const kLarkspanNames[] = {L"Omb Larkspan", L"Tav Larkspan"};

// Controls that EnableControls switches, in the order of its flags.
const int kEnabledControls[] = {IDOK, IDCANCEL, 1005, 1008, 1007};

bool IsFallbackKey(const std::wstring& key)
{
    for (const wchar_t* fallback : kFallbackKeys) {
        if (key == fallback)
            return true;
    }
    return false;
}

bool IsLarkspanName(const std::wstring& displayName)
{
    for (const wchar_t* name : kLarkspanNames) {
        if (StartsWith(displayName, name))
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
        AppendDetailLine(kLabelNothingDetected, L"");
    }
    if (key.empty()) {
        if (IsSilent())
            return;
        if (!m_pApp->m_bWipe) {
            EnableControls(0, 1, 1, 0, 0);
        } else if (showDetails) {  // Remove keeps its state: wipe mode needs no installation
            AppendDetailText(L"");
            AppendDetailLine(kLabelWipeMode, L"");
            AppendDetailLine(kLabelWipeModeRemoves, L"");
        }
        return;
    }
    const CCorlaInstance* record = m_mapInstances.Find(key);
    if (!record)
        return;
    if (showDetails) {
        m_editDetails.SetText(L"");
        AppendDetailLine(kLabelVersion, record->m_strDisplayVersion);
        if (!IsFallbackKey(key)) {
            for (const auto& text : kDetailTexts)
                AppendDetailLine(text.labelId, record->*text.field);
            AppendDetailLine(kLabelMajorVersion,
                             Format(L"%ld", static_cast<long>(record->m_nVersionMajor)));
            AppendDetailLine(kLabelMinorVersion,
                             Format(L"%ld", static_cast<long>(record->m_nVersionMinor)));
        }
    }
    m_strDisplayVersion = record->m_strDisplayVersion;
    m_strUninstallString = record->m_strUninstallString;
    m_nVersionMajor = record->m_nVersionMajor;
    m_strDisplayName = record->m_strDisplayName;
    m_bLarkspan = IsLarkspanName(m_strDisplayName) ? 1 : 0;
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

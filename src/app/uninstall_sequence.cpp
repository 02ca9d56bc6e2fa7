#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "framework/runtime.h"
#include "platform/strings.h"
#include "product/product.h"
#include "res/resource.h"

namespace {

const wchar_t kTag[] = L"TIDO: DoUninstall";
const wchar_t kRegistryTag[] = L"TIDO: CleanRegistry";

// The registry steps, in the order they run once files and shortcuts are gone. Their results
// are not used: each logs its own outcome.
using RegistryStep = void (*)(CTidoDlg&);
const RegistryStep registrySteps[] = {
    [](CTidoDlg& d) { d.CleanSharedDlls(); },
    [](CTidoDlg& d) { d.CleanCDM(); },
    [](CTidoDlg& d) { d.CleanRegistrySpecial(); },
    [](CTidoDlg& d) { d.CleanRegistryNoARP(); },
    [](CTidoDlg& d) { d.CleanRegistryFinally(); },
    [](CTidoDlg& d) { d.CleanRegistryMUIPack(); },
};

}  // namespace

void CTidoDlg::SetStatusText(std::wstring text)
{
    if (!IsSilent() && Hwnd())
        SetDlgItemTextW(Hwnd(), IDC_STATIC_STATUS, text.c_str());
    WriteLog(L"TIDO: SetStatusText", L"Set status text to: ", text);
}

// Progress goes to the bar wherever there is one (the full dialog and -qb).
void CTidoDlg::SetProgress(int position)
{
    if (!m_pApp->m_bQuiet && m_progress.Bound())
        m_progress.SetPos(position);
}

void CTidoDlg::StepProgress()
{
    if (!m_pApp->m_bQuiet && m_progress.Bound())
        m_progress.StepIt();
}

void CTidoDlg::DoUninstall()
{
    WriteLog(kTag, L"Entering", L" ");
    ShowRemovalView();
    if (!m_pApp->m_bQuiet && m_progress.Bound()) {
        m_progress.SetRange(0, 100);
        m_progress.SetStep(10);
    }
    if (!m_strUninstallString.empty()) {
        SetStatusText(L"Running MsiZap...");
        RunMSIZap();
        SetProgress(40);
    } else {
        WriteLog(kTag, L"No Corla ARP entry found, skip running msizap", L"");
    }
    StopProductServices();
    StepProgress();
    GenerateDataDirectory();
    RemoveProductFiles();
    SetStatusText(L"Removing shortcuts...");
    RemoveShortcut();
    StepProgress();
    SetStatusText(L"Cleaning Autoupdate...");
    CleanAutoupdate();
    StepProgress();
    SetStatusText(L"Cleaning registry...");
    WriteLog(kRegistryTag, L"Entering", L"");
    for (RegistryStep step : registrySteps)
        step(*this);
    WriteLog(kRegistryTag, L"Exiting", L"");
    SetProgress(100);
    WriteLog(kTag, L"Exiting", L" ");
    m_eventDone.Set();  // last: the dialog may end at once
}

// The full dialog swaps its details for the removal's header, status line and progress bar.
void CTidoDlg::ShowRemovalView()
{
    if (IsSilent() || !Hwnd())
        return;
    EnableControls(0, 0, 0, 0, 0);
    SetDlgItemTextW(Hwnd(), IDC_STATIC_HEADER,
                    Format(LoadResString(IDS_REMOVAL_HEADER).c_str(), m_strDisplayName.c_str()).c_str());
    for (int hidden : {IDC_EDIT_DETAILS, IDC_CHECK_DATA_FILES, IDC_CHECK_PROGRAM_FILES})
        ShowWindow(GetItem(hidden), SW_HIDE);
    for (int shown : {IDC_STATIC_HEADER, IDC_STATIC_STATUS, IDC_PROGRESS})
        ShowWindow(GetItem(shown), SW_SHOW);
}

void CTidoDlg::StopProductServices()
{
    SetStatusText(L"Stopping Services...");
    if (m_bLarkspan) {
        for (const wchar_t* service : kLarkspanServices)
            StopService(service);
        return;
    }
    for (const wchar_t* service : kCorlaServices)
        StopService(service);
    TrimProviderOrder();
}

void CTidoDlg::RemoveProductFiles()
{
    if (m_pApp->m_bRemoveProgramFiles) {
        SetStatusText(L"Removing program files...");
        RemoveProgramFile();
        StepProgress();
    } else {
        WriteLog(kTag, L"NOT remove program files", L" ");
    }
    if (!m_pApp->m_bRemoveDataFiles) {
        WriteLog(kTag, L"NOT remove data files", L" ");
    } else if (m_bMultiUser) {
        WriteLog(kTag, L"Data directory was not removed since Corla was installed in Multi user mode", L"");
    } else {
        SetStatusText(L"Removing data files...");
        RemoveDataFile();
        StepProgress();
    }
    if (!m_pApp->m_bRemoveSharedData)
        WriteLog(kTag, L"NOT remove shared data files", L" ");
    else if (m_bMultiUser)
        RemoveShareData();
}

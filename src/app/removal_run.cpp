#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "discovery/product_keys.h"
#include "framework/runtime.h"
#include "platform/strings.h"
#include "product/product.h"
#include "registry/registry_key.h"
#include "res/resource.h"

namespace {

const wchar_t kTag[] = L"TIDO";

// The silent modes' boxes stay on top: nobody may be looking at the progress window.
const UINT kSilentBox = MB_OK | MB_TOPMOST;

}  // namespace

int CTidoDlg::RemovalRun()
{
    GetUserMode();
    m_mapComboCodes.clear();
    ScanInstallations();
    if (m_mapInstances.IsEmpty() && !m_pApp->m_bWipe) {
        WriteLog(kTag, L"No Corla installations detected.", L"");
        ShowFailureBox();
        return 2;
    }
    if (m_pApp->m_nProduct != 0 && !SelectChosenProduct())
        return 2;
    WriteLog(kTag, m_strDisplayName + L" will be removed by TIDO.", L" ");
    if (!GetSystem().IsUserAnAdmin()) {
        WriteLog(kTag, L"Running as non-admin user - TIDO cancelled.", L"");
        if (m_pApp->m_bStatusBox)
            MessageBox(LoadResString(IDS_NOT_ADMIN), kSilentBox);
        return 2;
    }
    if (IsProductProcessRunning()) {
        ReportRunningProcess(kSilentBox, m_pApp->m_bStatusBox != 0);
        return 2;
    }
    WriteLog(kTag, L"No Corla process running.", L"");
    DoUninstall();
    WriteLog(kTag, ResultText(), L" ");
    if (m_pApp->m_bStatusBox) {
        // A wipe without an installation has no name to insert: name the product instead.
        std::wstring name = m_strDisplayName.empty() ? L"Corla" : m_strDisplayName;
        MessageBox(Format(LoadResString(IDS_REMOVED).c_str(), name.c_str()), kSilentBox);
    }
    return 1;
}

// -rn / -ri: the chosen product's first record, or the refusal when there is none.
bool CTidoDlg::SelectChosenProduct()
{
    SelectProductInstance();
    if (m_strTargetCode.empty()) {
        const wchar_t* name = L"Corla";
        if (m_pApp->m_nProduct == 2)
            name = ProductKeyPath(true, kRegistryRead) == kTlkaProductKey ? L"TLKA" : L"OLKA";
        std::wstring text = Format(LoadResString(IDS_PRODUCT_NOT_FOUND).c_str(), name);
        if (m_pApp->m_bStatusBox)
            MessageBox(text, kSilentBox);
        WriteLog(kTag, text, L"");
        return false;
    }
    ShowInstanceDetails(m_strTargetCode);
    ShowProductKeyDetails();
    return true;
}

void CTidoDlg::ReportRunningProcess(UINT boxType, bool showBox)
{
    WriteLog(kTag, L"Corla is running. Please close Corla client first before run TIDO - ",
             m_strRunningProcess);
    if (showBox)
        MessageBox(Format(LoadResString(IDS_PROCESS_RUNNING).c_str(), m_strDisplayName.c_str()) +
                       L"\nProcess name: " + m_strRunningProcess,
                   boxType);
}

std::wstring CTidoDlg::ResultText() const
{
    if (m_bFilesLeft)
        return L"TIDO has removed " + m_strDisplayName +
               L". Some files could not be removed. Please check the log for details.";
    if (m_pApp->m_bWipe)
        return L"TIDO has successfully removed Corla by wipe mode.";
    return L"TIDO has successfully removed " + m_strDisplayName;
}

// The failure box names the product generation of the selected installation.
void CTidoDlg::ShowFailureBox()
{
    if (!m_pApp->m_bStatusBox)
        return;
    UINT id = m_nVersionMajor >= 11 ? IDS_FAILED_TAV
              : m_nVersionMajor >= 9 ? IDS_FAILED_OMB
                                     : IDS_FAILED_GORVO;
    MessageBox(LoadResString(id), kSilentBox);
}

unsigned __stdcall CTidoDlg::UninstallThreadProc(void* parameter)
{
    static_cast<CTidoDlg*>(parameter)->DoUninstall();
    return 0;
}

void CTidoDlg::OnTimer(UINT_PTR id)
{
    if (m_pApp->m_bProgressBar) {
        KillTimer(id);
        m_bRemovalAttempted = true;
        if (RemovalRun() != 1) {
            EndDialog(IDCANCEL);
            return;
        }
    }
    if (m_eventDone.Wait(500) == WAIT_OBJECT_0) {
        KillTimer(m_nTimerId);
        EndDialog(IDOK);
    }
}

// The dialog's own handlers: start-up of the window, the buttons, the list, the system menu.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "platform/strings.h"
#include "res/resource.h"

#include <commctrl.h>

namespace {

const wchar_t kTag[] = L"TIDO";
const UINT kTimerId = 1;
const UINT kTimerPeriodMs = 1000;

// The interactive dialog's boxes are ordinary: the user is looking at the dialog.
const UINT kConfirmBox = MB_OKCANCEL;

bool Checked(HWND button)
{
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Check(HWND button, bool checked)
{
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace

void CTidoDlg::RegisterHandlers()
{
    OnCommand(IDOK, BN_CLICKED, [this] { OnRemove(); });
    OnCommand(IDCANCEL, BN_CLICKED, [this] { OnQuit(); });
    OnCommand(IDC_COMBO_INSTANCES, CBN_SELCHANGE, [this] { OnSelectInstance(); });
    OnCommand(IDC_BUTTON_RESCAN, BN_CLICKED, [this] { OnRescan(); });
    OnCommand(IDC_CHECK_WIPE_MODE, BN_CLICKED, [this] { OnWipeMode(); });
}

BOOL CTidoDlg::OnInitDialog()
{
    GetUserMode();
    ScanInstallations();
    if (m_pApp->m_nProduct != 0)
        PreselectChosenProduct();
    if (m_pApp->m_bProgressBar) {
        m_nTimerId = SetTimer(kTimerId, kTimerPeriodMs);
        return TRUE;
    }
    SetCheckBoxesFromSwitches();
    AddAboutToSystemMenu();
    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    if (m_toolTip.Create(Hwnd()))
        m_toolTip.AddTool(GetItem(IDC_CHECK_WIPE_MODE), LoadResString(IDS_WIPE_MODE_TIP));
    return TRUE;
}

void CTidoDlg::PreselectChosenProduct()
{
    SelectProductInstance();
    if (m_strTargetCode.empty())
        return;
    int index = 0;
    for (const auto& [comboIndex, key] : m_mapComboCodes) {
        if (key == m_strTargetCode) {
            index = comboIndex;
            break;
        }
    }
    ShowInstanceDetails(m_strTargetCode);
    if (ShowsControl(m_comboInstances))
        m_comboInstances.SetCurSel(index);
    ShowProductKeyDetails();
}

void CTidoDlg::SetCheckBoxesFromSwitches()
{
    HWND wipe = GetItem(IDC_CHECK_WIPE_MODE);
    HWND programFiles = GetItem(IDC_CHECK_PROGRAM_FILES);
    HWND dataFiles = GetItem(IDC_CHECK_DATA_FILES);
    if (m_pApp->m_bWipe) {
        Check(wipe, true);
        if (!m_bProductKeyFound) {
            EnableWindow(programFiles, FALSE);
            EnableWindow(dataFiles, FALSE);
            return;
        }
        Check(programFiles, m_pApp->m_bRemoveProgramFiles != 0);
        if (m_bMultiUser)
            EnableWindow(dataFiles, FALSE);
        else
            Check(dataFiles, m_pApp->m_bRemoveDataFiles != 0);
        return;
    }
    if (m_bProductKeyFound)
        EnableWindow(wipe, FALSE);
    Check(programFiles, m_pApp->m_bRemoveProgramFiles != 0);
    if (m_bMultiUser) {
        Check(dataFiles, false);
        EnableWindow(dataFiles, FALSE);
    } else {
        Check(dataFiles, m_pApp->m_bRemoveDataFiles != 0);
    }
}

void CTidoDlg::AddAboutToSystemMenu()
{
    HMENU systemMenu = GetSystemMenu(Hwnd(), FALSE);
    std::wstring about = LoadResString(IDS_ABOUTBOX);
    if (!systemMenu || about.empty())
        return;
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about.c_str());
}

void CTidoDlg::OnRemove()
{
    if (m_bRemoving)
        return;  // a second click before the controls are disabled starts nothing
    WriteLog(kTag, m_strDisplayName + L" will be removed by TIDO.", L" ");
    std::wstring key = SelectedInstanceKey();
    if (!m_pApp->m_bWipe && !m_mapInstances.Contains(key)) {
        WriteLog(kTag, L"No Corla instance.", L"");
        return;
    }
    // Takes the selection into the run state. The box is written afresh, so the product-key
    // lines go back too: a refusal or a cancel must leave the dialog as the user saw it.
    ShowInstanceDetails(key);
    if (!key.empty())
        ShowProductKeyDetails();
    if (IsProductProcessRunning()) {
        ReportRunningProcess(MB_OK, true);
        return;
    }
    WriteLog(kTag, L"No Corla process running.", L"");
    TakeRemovalChoices();
    if (!ConfirmRemoval(key)) {
        WriteLog(kTag, L"Cancelled by user.", L" ");
        return;
    }
    StartRemoval();
}

std::wstring CTidoDlg::SelectedInstanceKey() const
{
    auto found = m_mapComboCodes.find(m_comboInstances.GetCurSel());
    return found == m_mapComboCodes.end() ? L"" : found->second;
}

void CTidoDlg::TakeRemovalChoices()
{
    struct Choice {
        int checkBox;
        BOOL CTidoApp::*flag;
        const wchar_t* checkedText;
        const wchar_t* uncheckedText;
    } choices[] = {
        {IDC_CHECK_PROGRAM_FILES, &CTidoApp::m_bRemoveProgramFiles,
         L"Remove Program files is checked", L"Remove Program files is unchecked"},
        {IDC_CHECK_DATA_FILES, &CTidoApp::m_bRemoveDataFiles, L"Remove Data files is checked",
         L"Remove Data files is unchecked"},
    };
    for (const Choice& choice : choices) {
        HWND box = GetItem(choice.checkBox);
        bool chosen = Checked(box) && IsWindowEnabled(box);
        WriteLog(kTag, chosen ? choice.checkedText : choice.uncheckedText, L" ");
        m_pApp->*choice.flag = chosen ? 1 : 0;
    }
}

bool CTidoDlg::ConfirmRemoval(const std::wstring& key)
{
    const wchar_t* name = m_strDisplayName.c_str();
    std::wstring first;
    if (!key.empty()) {
        first = Format(LoadResString(IDS_CONFIRM_REMOVE).c_str(), name, name, name);
    } else {
        first = LoadResString(IDS_WIPE_WARNING) + LoadResString(IDS_WIPE_ITEMS);
        if (m_pApp->m_bRemoveProgramFiles)
            first += LoadResString(IDS_WIPE_PROGRAM_FILES);
        if (m_pApp->m_bRemoveDataFiles)
            first += LoadResString(IDS_WIPE_DATA_FILES);
        first += LoadResString(IDS_WIPE_CONFIRM);
    }
    if (MessageBox(first, kConfirmBox) != IDOK)
        return false;
    if (m_pApp->m_bRemoveDataFiles &&
        MessageBox(Format(LoadResString(IDS_CONFIRM_DATA_DIRECTORY).c_str(), name, name),
                   kConfirmBox) != IDOK)
        return false;
    if (m_bMuiPackFound && MessageBox(LoadResString(IDS_CONFIRM_MUI_PACK), kConfirmBox) != IDOK)
        return false;
    return true;
}

// The worker reads the run state until it signals the end: nothing on the window may change
// that state meanwhile, so the list and Wipe Mode go dark with the other controls.
void CTidoDlg::StartRemoval()
{
    m_bRemoving = true;
    EnableWindow(GetItem(IDC_COMBO_INSTANCES), FALSE);
    EnableWindow(GetItem(IDC_CHECK_WIPE_MODE), FALSE);
    EnableControls(0, 0, 0, 0, 0);
    m_pWorkerThread = StartWorker(&CTidoDlg::UninstallThreadProc, this);
    m_nTimerId = SetTimer(kTimerId, kTimerPeriodMs);
    m_editDetails.SetText(L"");
    ShowProductKeyDetails();
    WriteLog(kTag, m_strDisplayName + L" removed by TIDO successfully.", L" ");
}

void CTidoDlg::OnQuit()
{
    if (m_bRemoving)
        return;  // Escape, the close box and Close wait for the removal to end
    m_mapInstances.RemoveAll();
    EndDialog(IDCANCEL);
}

void CTidoDlg::OnRescan()
{
    m_comboInstances.ResetContent();
    m_mapComboCodes.clear();
    ScanInstallations();
}

void CTidoDlg::OnWipeMode()
{
    if (Checked(GetItem(IDC_CHECK_WIPE_MODE))) {
        m_pApp->m_bWipe = 1;
        EnableWindow(GetItem(IDOK), TRUE);
    } else {
        m_pApp->m_bWipe = 0;
    }
    OnRescan();
}

void CTidoDlg::OnSelectInstance()
{
    m_editDetails.SetText(L"");
    ShowInstanceDetails(SelectedInstanceKey());
    ShowProductKeyDetails();
}

bool CTidoDlg::OnSysCommand(WPARAM command, LPARAM)
{
    if ((command & 0xFFF0) != IDM_ABOUTBOX)
        return false;
    Dialog about(IDD_ABOUTBOX, GetSystem());
    about.DoModal(Hwnd());
    return true;
}

bool CTidoDlg::OnPaint()
{
    if (!IsIconic(Hwnd()))
        return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Hwnd(), &paint);
    SendMessageW(Hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(Hwnd(), &client);
    int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(Hwnd(), &paint);
    return true;
}

HICON CTidoDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

bool CTidoDlg::PreTranslateMessage(MSG& message)
{
    if (message.message == WM_MOUSEMOVE)
        m_toolTip.RelayEvent(message);
    return false;
}

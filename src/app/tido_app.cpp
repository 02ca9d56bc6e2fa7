#include "app/tido_app.h"

#include "dialog/tido_dlg.h"
#include "framework/runtime.h"
#include "platform/unique_handle.h"
#include "res/resource.h"

#include <commctrl.h>

#include <vector>

CTidoApp::CTidoApp(System& system) : App(system), m_cmdInfo(*this) {}

int CTidoApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    ParseCommandLine(Words(), m_cmdInfo);

    if (m_cmdInfo.m_bShowHelp)
        return ShowHelp();
    if (!GetSystem().IsUserAnAdmin())
        return RefuseNonAdministrator();

    // A run that crashes or is killed must not leave an older "OK" for the calling script.
    WriteStatusFile(2);
    RunOutcome outcome = RunRemoval();
    WriteStatusFile(outcome.result);
    return ExitCodeForRun(outcome);
}

bool CTidoApp::MayShowBoxes() const
{
    return m_bStatusBox || (!m_bQuiet && !m_bProgressBar);
}

int CTidoApp::ShowHelp()
{
    DeleteStatusFile();
    if (MayShowBoxes())
        GetSystem().MessageBox(nullptr, LoadResString(IDS_HELP), MB_OK);
    return m_cmdInfo.m_bInvalid ? kExitInvalidSwitch : kExitOk;
}

int CTidoApp::RefuseNonAdministrator()
{
    DeleteStatusFile();
    if (MayShowBoxes())
        GetSystem().MessageBox(nullptr, LoadResString(IDS_NOT_ADMIN), MB_OK);
    return kExitAccessDenied;
}

RunOutcome CTidoApp::RunRemoval()
{
    CTidoDlg dialog(m_bProgressBar ? IDD_TIDO_PROGRESS : IDD_TIDO_DIALOG, this);
    RunOutcome outcome;
    if (m_bQuiet) {
        outcome.removalAttempted = true;
        outcome.result = dialog.RemovalRun();
    } else {
        outcome.result = dialog.DoModal();
        outcome.removalAttempted = dialog.m_bRemovalAttempted;
    }
    return outcome;
}

int ExitCodeForRun(const RunOutcome& outcome)
{
    if (outcome.result == IDOK)
        return kExitOk;
    if (outcome.result == IDCANCEL && !outcome.removalAttempted)
        return kExitUserCancelled;
    return kExitRemovalFailed;
}

std::wstring StatusFilePath()
{
    DWORD size = GetEnvironmentVariableW(L"TEMP", nullptr, 0);
    std::vector<wchar_t> temp(size + 1, L'\0');
    if (size > 0)
        GetEnvironmentVariableW(L"TEMP", temp.data(), size + 1);
    return std::wstring(temp.data()) + L"\\Tido.status";
}

void WriteStatusFile(INT_PTR result)
{
    UniqueFileHandle file(CreateFileW(StatusFilePath().c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    const char* content = result == 1 ? "OK" : "FAILED";
    DWORD written = 0;
    WriteFile(file.Get(), content, static_cast<DWORD>(strlen(content)), &written, nullptr);
}

void DeleteStatusFile()
{
    DeleteFileW(StatusFilePath().c_str());
}

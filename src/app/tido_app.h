#pragma once
#include "framework/app.h"

class CTidoApp;

// Turns the command-line words into the application's flags.
class CTidoCmdLineInfo : public CommandLineInfo {
public:
    explicit CTidoCmdLineInfo(CTidoApp& app) : m_app(app) {}
    void ParseParam(const wchar_t* param, bool isFlag, bool isLast) override;

    BOOL m_bShowHelp = 0;  // help asked for, or a word not understood
    BOOL m_bInvalid = 0;   // a word not understood (help alone is not an error)

private:
    void ParseQuietSwitch(const std::wstring& token);
    void SetInvalid();

    CTidoApp& m_app;
};

// Exit codes of the process, which deployment tools read.
enum TidoExitCode : int {
    kExitOk = 0,                  // "OK" written (also when some files were left)
    kExitAccessDenied = 5,        // not an administrator
    kExitInvalidSwitch = 87,      // a switch unknown or malformed
    kExitUserCancelled = 1602,    // the user quit or closed the window before the run
    kExitRemovalFailed = 1603,    // any other run that wrote "FAILED"
};

// How a run past the administrator check ended, as start-up sees it.
struct RunOutcome {
    INT_PTR result = -1;          // 1 OK, 2 not done / cancel, -1 no dialog
    bool removalAttempted = false;  // the removal run was called (a refusal is not a cancel)
};
int ExitCodeForRun(const RunOutcome& outcome);

// The application: parses the switches, refuses a non-administrator, runs the removal
// silently or through the dialog, and leaves "OK" or "FAILED" in %TEMP%\Tido.status.
class CTidoApp : public App {
public:
    explicit CTidoApp(System& system);

    CTidoCmdLineInfo m_cmdInfo;
    BOOL m_bWipe = 0;
    BOOL m_bQuiet = 0;
    BOOL m_bProgressBar = 0;
    BOOL m_bStatusBox = 0;
    BOOL m_bRemoveProgramFiles = 0;
    BOOL m_bRemoveSharedData = 0;
    BOOL m_bRemoveDataFiles = 0;
    int m_nProduct = 0;  // 0 none, 1 Corla (-rn), 2 Larkspan (-ri)

protected:
    int InitInstance() override;

private:
    // A silent run without "+" shows no box: nobody is there to close it.
    bool MayShowBoxes() const;
    int ShowHelp();
    int RefuseNonAdministrator();
    RunOutcome RunRemoval();
};

// The status file: "<TEMP>\Tido.status", or "\Tido.status" when TEMP is unset or empty.
std::wstring StatusFilePath();
// Creates or truncates the file and writes "OK" for result 1, else "FAILED".
void WriteStatusFile(INT_PTR result);
void DeleteStatusFile();

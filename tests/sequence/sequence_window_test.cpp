// The uninstall sequence in its three modes, on a virtual display. What the sequence sends to
// the controls is recorded by subclassing them (never read off the screen); what it runs is
// read from the log, as an outline: its own lines, the status lines and the first line of
// each step it calls.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "platform/strings.h"
#include "res/resource.h"
#include "support/fake_system.h"
#include "support/log_reader.h"
#include "support/machine.h"
#include "support/paths.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;
using Positions = std::vector<int>;
using test::Machine;

namespace {

const Lines kCorlaServices = {
    "Tav Corla Diagnostics",   "Omb Corla Diagnostics",  "Gorvo Corla Diagnostics",
    "Multi-user Cleanup Service", "Tav Corla Single Logon", "Omb Corla Single Logon",
    "Gorvo Corla Single Logon", "GCSUSvc",
};
const Lines kLarkspanServices = {
    "Tav Corla Diagnostics", "Omb Corla Diagnostics", "Multi-user Cleanup Service"};

// The steps the sequence calls, each known by its "Entering" line.
const char* const kSteps[] = {
    "RunMSIZap",      "GenerateDataDirectory", "RemoveProgramFile",    "RemoveDataFile",
    "RemoveShareData", "RemoveShortcut",       "CleanAutoupdate",      "CleanSharedDlls",
    "CleanCDM",       "CleanRegistrySpecial",  "CleanRegistryNoARP",   "CleanRegistryFinally",
    "CleanRegistryMUIPack",
};

const std::string kStopping = "StopService: Stopping and deleting service: ";
const std::string kStatus = "SetStatusText: Set status text to: ";
const std::string kShortcutsStatus = kStatus + "Removing shortcuts...";

bool Starts(const std::string& text, const std::string& prefix)
{
    return text.rfind(prefix, 0) == 0;
}

// The log without the "TIDO: " of each tag: the lines of the sequence itself (DoUninstall,
// SetStatusText, CleanRegistry), the services it stops, and one line per step called.
Lines Outline(const Lines& log)
{
    Lines outline;
    for (const std::string& full : log) {
        if (!Starts(full, "TIDO: "))
            continue;
        std::string line = full.substr(6);
        if (Starts(line, "DoUninstall: ") || Starts(line, "SetStatusText: ") ||
            Starts(line, "CleanRegistry: ") || Starts(line, kStopping)) {
            outline.push_back(line);
        } else if (Starts(line, "TrimProviderOrder: Get ProviderOrder value: ")) {
            outline.push_back("TrimProviderOrder");
        } else {
            for (const char* step : kSteps) {
                std::string entering = std::string(step) + ": Entering";
                if (line == entering || line == entering + " ")
                    outline.push_back(step);
            }
        }
    }
    return outline;
}

// The outline up to the shortcuts, without the services: the part that the installation,
// the product, the user mode and the switches decide.
Lines Head(const Lines& outline)
{
    Lines head;
    for (const std::string& line : outline) {
        if (line == kShortcutsStatus)
            break;
        if (!Starts(line, kStopping))
            head.push_back(line);
    }
    return head;
}

// The services stopped before the shortcuts (the update services come later).
Lines ProductServices(const Lines& outline)
{
    Lines services;
    for (const std::string& line : outline) {
        if (line == kShortcutsStatus)
            break;
        if (Starts(line, kStopping))
            services.push_back(line.substr(kStopping.size()));
    }
    return services;
}

std::string Status(const char* text)
{
    return kStatus + text;
}

// The controls looked at when the window is up and when the bar reaches 100.
const int kControls[] = {IDOK,
                         IDCANCEL,
                         IDC_COMBO_INSTANCES,
                         IDC_EDIT_DETAILS,
                         IDC_BUTTON_RESCAN,
                         IDC_CHECK_DATA_FILES,
                         IDC_CHECK_PROGRAM_FILES,
                         IDC_STATIC_STATUS,
                         IDC_STATIC_HEADER,
                         IDC_PROGRESS,
                         IDC_CHECK_WIPE_MODE};

// The real dialog class, recording every text and progress message that reaches one of its
// controls. With `start` set, the removal is started by that instead of the dialog's own
// timer, once the window is up.
class RecordingDialog : public CTidoDlg {
public:
    using CTidoDlg::CTidoDlg;

    std::function<void(RecordingDialog&)> start;
    Lines messages;      // "<control id> <message> <values>", in the order they arrived
    Positions positions;  // the bar's position after each SETPOS and STEPIT
    struct ControlStates {
        std::vector<int> disabled, hidden;
    };
    ControlStates atStart, atEnd;

protected:
    BOOL OnInitDialog() override
    {
        BOOL result = CTidoDlg::OnInitDialog();
        EnumChildWindows(Hwnd(), &RecordingDialog::Subclass, reinterpret_cast<LPARAM>(this));
        atStart = LookAtControls();
        if (start) {
            if (m_nTimerId)
                KillTimer(m_nTimerId);
            SetTimer(kStartTimer, 10);
        }
        return result;
    }

    void OnTimer(UINT_PTR id) override
    {
        if (id != kStartTimer)
            return CTidoDlg::OnTimer(id);
        KillTimer(id);
        start(*this);
    }

private:
    static constexpr UINT_PTR kStartTimer = 77;

    static BOOL CALLBACK Subclass(HWND control, LPARAM dialog)
    {
        SetWindowSubclass(control, &RecordingDialog::Record, 1, static_cast<DWORD_PTR>(dialog));
        return TRUE;
    }

    static LRESULT CALLBACK Record(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR self)
    {
        auto& dialog = *reinterpret_cast<RecordingDialog*>(self);
        std::string id = std::to_string(GetDlgCtrlID(control));
        switch (message) {
        case WM_SETTEXT:
            dialog.messages.push_back(id + " text " +
                                      test::Narrow(reinterpret_cast<const wchar_t*>(lParam)));
            break;
        case PBM_SETRANGE32:
            dialog.messages.push_back(id + " range " + std::to_string(wParam) + "-" +
                                      std::to_string(lParam));
            break;
        case PBM_SETSTEP:
            dialog.messages.push_back(id + " step " + std::to_string(wParam));
            break;
        case PBM_STEPIT:
            dialog.messages.push_back(id + " stepit");
            break;
        case PBM_SETPOS:
            dialog.messages.push_back(id + " pos " + std::to_string(wParam));
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(control, &RecordingDialog::Record, 1);
            break;
        }
        LRESULT result = DefSubclassProc(control, message, wParam, lParam);
        if (message == PBM_SETPOS || message == PBM_STEPIT) {
            int position = static_cast<int>(SendMessageW(control, PBM_GETPOS, 0, 0));
            dialog.positions.push_back(position);
            if (position == 100)
                dialog.atEnd = dialog.LookAtControls();
        }
        return result;
    }

    ControlStates LookAtControls() const
    {
        ControlStates states;
        for (int id : kControls) {
            if (HWND control = GetItem(id)) {
                if (!IsWindowEnabled(control))
                    states.disabled.push_back(id);
                if (!IsWindowVisible(control))
                    states.hidden.push_back(id);
            }
        }
        return states;
    }
};

// The installation a removal was decided for, as the dialog holds it when the sequence starts.
struct Installation {
    bool installerData = true;
    bool larkspan = false;
    bool multiUser = false;
};

void Select(CTidoDlg& dialog, const Installation& installation)
{
    dialog.m_strDisplayName = installation.larkspan ? L"Tav Larkspan 11" : L"Tav Corla 12";
    dialog.m_nVersionMajor = installation.larkspan ? 11 : 12;
    dialog.m_strUninstallString =
        installation.installerData ? L"MsiExec.exe /X{7E570001-0000-0000-0000-0000000000AA}" : L"";
    dialog.m_bLarkspan = installation.larkspan;
    dialog.m_bMultiUser = installation.multiUser;
}

class Sequence : public ::testing::Test {
protected:
    Sequence()
    {
        // A provider order holding the product's provider, so that trimming it shows in the log.
        machine.SetString(HKEY_LOCAL_MACHINE,
                          L"SYSTEM\\CurrentControlSet\\Control\\NetworkProvider\\Order",
                          L"ProviderOrder", L"LanmanWorkstation,npcorla");
    }

    void SetSwitches(bool programFiles, bool dataFiles, bool sharedData)
    {
        app.m_bRemoveProgramFiles = programFiles;
        app.m_bRemoveDataFiles = dataFiles;
        app.m_bRemoveSharedData = sharedData;
    }

    Machine machine;
    test::FakeSystem system;
    CTidoApp app{system};
};

// Every step, for a single-user Corla installation with installer data and -rp -rd -rs.
const Lines kWholeOutline = {
    "DoUninstall: Entering ",
    Status("Running MsiZap..."),
    "RunMSIZap",
    Status("Stopping Services..."),
    kStopping + "Tav Corla Diagnostics",
    kStopping + "Omb Corla Diagnostics",
    kStopping + "Gorvo Corla Diagnostics",
    kStopping + "Multi-user Cleanup Service",
    kStopping + "Tav Corla Single Logon",
    kStopping + "Omb Corla Single Logon",
    kStopping + "Gorvo Corla Single Logon",
    kStopping + "GCSUSvc",
    "TrimProviderOrder",
    "GenerateDataDirectory",
    Status("Removing program files..."),
    "RemoveProgramFile",
    Status("Removing data files..."),
    "RemoveDataFile",
    kShortcutsStatus,
    "RemoveShortcut",
    Status("Cleaning Autoupdate..."),
    "CleanAutoupdate",
    kStopping + "TavAUTService",
    kStopping + "OmbAUTService",
    Status("Cleaning registry..."),
    "CleanRegistry: Entering",
    "CleanSharedDlls",
    "CleanCDM",
    "CleanRegistrySpecial",
    "CleanRegistryNoARP",
    "CleanRegistryFinally",
    "CleanRegistryMUIPack",
    "CleanRegistry: Exiting",
    "DoUninstall: Exiting ",
};

BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// -qn: the dialog object has no window and the sequence must not make one; the status lines
// are logged all the same and the end is signalled.
TEST_F(Sequence, WithoutAWindowEveryStatusIsLoggedAndTheEndSignalled)
{
    app.m_bQuiet = 1;
    SetSwitches(true, true, true);
    CTidoDlg dialog{IDD_TIDO_DIALOG, &app};
    Select(dialog, {});
    dialog.DoUninstall();

    EXPECT_EQ(Outline(test::ReadLogLines()), kWholeOutline);
    EXPECT_EQ(dialog.m_eventDone.Wait(0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(dialog.Hwnd(), nullptr);
    int windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&windows));
    EXPECT_EQ(windows, 0);
}

// -qb as it really runs: the progress window's timer starts the removal run (in wipe mode on
// an empty machine), whose sequence moves the bar and sets no text anywhere; the window then
// ends with OK. The full dialog's controls that template 133 hides stay hidden.
TEST_F(Sequence, ProgressWindowShowsOnlyTheBarAndEndsWithOk)
{
    app.m_bProgressBar = 1;
    app.m_bWipe = 1;
    RecordingDialog dialog{IDD_TIDO_PROGRESS, &app};
    EXPECT_EQ(dialog.DoModal(), IDOK);

    EXPECT_EQ(dialog.messages,
              (Lines{"1011 range 0-100", "1011 step 10", "1011 stepit", "1011 stepit",
                     "1011 stepit", "1011 pos 100"}));
    EXPECT_EQ(dialog.positions, (Positions{10, 20, 30, 100}));
    EXPECT_EQ(dialog.atEnd.hidden, (std::vector<int>{IDOK, IDC_COMBO_INSTANCES, IDC_EDIT_DETAILS,
                                                    IDC_CHECK_DATA_FILES,
                                                    IDC_CHECK_PROGRAM_FILES}));
    Lines log = test::ReadLogLines();
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& line) { return Starts(line, "TIDO: " + kStatus); }),
              4);
    EXPECT_EQ(log.back(), "TIDO: TIDO has successfully removed Corla by wipe mode. ");
}

// The full dialog: the sequence runs on the worker, as the Remove button starts it, and the
// dialog's own timer ends it with OK once the sequence has signalled. Texts and progress come
// in the order of the steps; the choices are disabled and the details give way to the status.
TEST_F(Sequence, FullDialogShowsStatusAndProgressFromTheWorker)
{
    // Listed when the dialog opens, so that every control starts enabled.
    machine.SetString(HKEY_LOCAL_MACHINE,
                      L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\"
                      L"Products\\TIDOTEST21\\InstallProperties",
                      L"DisplayName", L"Tav Corla 12", test::View::k64);
    SetSwitches(true, true, true);
    RecordingDialog dialog{IDD_TIDO_DIALOG, &app};
    dialog.start = [](RecordingDialog& d) {
        Select(d, {});
        d.m_pWorkerThread = StartWorker(&CTidoDlg::UninstallThreadProc, &d);
        d.m_nTimerId = d.SetTimer(1, 1000);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);

    const std::string header =
        "1010 text Please wait while TIDO removes Tav Corla 12. This may take a moment. TIDO "
        "will close automatically when clean is over.\r\nSome items will be removed after the "
        "next time you log in.\r\n\r\n\r\nStatus:";
    EXPECT_EQ(dialog.messages, (Lines{
                                   header,
                                   "1011 range 0-100",
                                   "1011 step 10",
                                   "1009 text Running MsiZap...",
                                   "1011 pos 40",
                                   "1009 text Stopping Services...",
                                   "1011 stepit",
                                   "1009 text Removing program files...",
                                   "1011 stepit",
                                   "1009 text Removing data files...",
                                   "1011 stepit",
                                   "1009 text Removing shortcuts...",
                                   "1011 stepit",
                                   "1009 text Cleaning Autoupdate...",
                                   "1011 stepit",
                                   "1009 text Cleaning registry...",
                                   "1011 pos 100",
                               }));
    EXPECT_EQ(dialog.positions, (Positions{40, 50, 60, 70, 80, 90, 100}));
    // The sequence disables the choices and leaves the list and Wipe Mode as they were.
    EXPECT_EQ(dialog.atStart.disabled, std::vector<int>{});
    EXPECT_EQ(dialog.atEnd.disabled,
              (std::vector<int>{IDOK, IDCANCEL, IDC_BUTTON_RESCAN, IDC_CHECK_DATA_FILES,
                                IDC_CHECK_PROGRAM_FILES}));
    EXPECT_EQ(dialog.atEnd.hidden,
              (std::vector<int>{IDC_EDIT_DETAILS, IDC_CHECK_DATA_FILES, IDC_CHECK_PROGRAM_FILES}));
    EXPECT_EQ(Outline(test::ReadLogLines()), kWholeOutline);
}

// What the installation, the user mode and the switches change, run in the progress window.
TEST_F(Sequence, StepsAndProgressFollowTheInstallationAndTheSwitches)
{
    struct Case {
        const char* name;
        Installation installation;
        bool programFiles, dataFiles, sharedData;
        Positions positions;
        Lines head;  // the outline up to the shortcuts, services left out
    } cases[] = {
        {"installer data, -rp -rd -rs, single user", {}, true, true, true,
         {40, 50, 60, 70, 80, 90, 100},
         {"DoUninstall: Entering ", Status("Running MsiZap..."), "RunMSIZap",
          Status("Stopping Services..."), "TrimProviderOrder", "GenerateDataDirectory",
          Status("Removing program files..."), "RemoveProgramFile",
          Status("Removing data files..."), "RemoveDataFile"}},
        {"no installer data: the bar waits for the services", {false}, true, false, false,
         {10, 20, 30, 40, 100},
         {"DoUninstall: Entering ", "DoUninstall: No Corla ARP entry found, skip running msizap",
          Status("Stopping Services..."), "TrimProviderOrder", "GenerateDataDirectory",
          Status("Removing program files..."), "RemoveProgramFile",
          "DoUninstall: NOT remove data files ", "DoUninstall: NOT remove shared data files "}},
        {"installer data, no file switches", {}, false, false, false, {40, 50, 60, 70, 100},
         {"DoUninstall: Entering ", Status("Running MsiZap..."), "RunMSIZap",
          Status("Stopping Services..."), "TrimProviderOrder", "GenerateDataDirectory",
          "DoUninstall: NOT remove program files ", "DoUninstall: NOT remove data files ",
          "DoUninstall: NOT remove shared data files "}},
        {"multi user, -rd -rs", {true, false, true}, false, true, true, {40, 50, 60, 70, 100},
         {"DoUninstall: Entering ", Status("Running MsiZap..."), "RunMSIZap",
          Status("Stopping Services..."), "TrimProviderOrder", "GenerateDataDirectory",
          "DoUninstall: NOT remove program files ",
          "DoUninstall: Data directory was not removed since Corla was installed in Multi user mode",
          "RemoveShareData"}},
        {"Larkspan: its services, no provider", {true, true}, true, false, false,
         {40, 50, 60, 70, 80, 100},
         {"DoUninstall: Entering ", Status("Running MsiZap..."), "RunMSIZap",
          Status("Stopping Services..."), "GenerateDataDirectory",
          Status("Removing program files..."), "RemoveProgramFile",
          "DoUninstall: NOT remove data files ", "DoUninstall: NOT remove shared data files "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::ClearLogs();
        SetSwitches(c.programFiles, c.dataFiles, c.sharedData);
        app.m_bProgressBar = 1;
        RecordingDialog dialog{IDD_TIDO_PROGRESS, &app};
        dialog.start = [&c](RecordingDialog& d) {
            Select(d, c.installation);
            d.DoUninstall();
            d.EndDialog(IDOK);
        };
        EXPECT_EQ(dialog.DoModal(), IDOK);

        EXPECT_EQ(dialog.positions, c.positions);
        // A Larkspan removal writes to the Larkspan log.
        Lines outline = Outline(test::ReadLogLines(c.installation.larkspan));
        EXPECT_EQ(Head(outline), c.head);
        EXPECT_EQ(ProductServices(outline),
                  c.installation.larkspan ? kLarkspanServices : kCorlaServices);
        ASSERT_FALSE(outline.empty());
        EXPECT_EQ(outline.back(), "DoUninstall: Exiting ");
    }
}

}  // namespace

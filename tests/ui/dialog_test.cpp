// The dialog of the real tido.exe, used as a person uses it: the test program finds the window,
// reads what it shows, clicks, answers the message boxes, and checks what the program then
// did to the machine, the log, the status file and its exit code. Each test saves pictures of
// the states it checks under screenshots\ui in the build tree.
#include "app/tido_app.h"
#include "platform/unique_handle.h"
#include "res/resource.h"
#include "support/log_reader.h"
#include "support/machine.h"
#include "support/paths.h"
#include "support/process.h"
#include "support/ui_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>

namespace {

const wchar_t kTitle[] = L"Corla Installer Clean Up";
const wchar_t kProductKey[] = L"SOFTWARE\\Gorvo\\Corla";
const wchar_t kInstallerProducts[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Products\\";
const wchar_t kRegistration[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Products\\"
    L"TIDOTESTUI1";
const wchar_t kProgramDir[] = L"C:\\TidoTest\\UI\\Program";
const DWORD kExitUserQuit = 1602;

// What the machine holds before tido.exe starts.
enum Seed : unsigned {
    kNothing = 0,
    kInstallation = 1,   // the installer registration "Tav Corla 12" (tests/data)
    kSingleUserKey = 2,  // the product key, single-user mode
    kMultiUserKey = 4,   // the product key, multi-user mode
    kFallbackKey = 8,    // the product key with its own name and version, as the scan's fallback
    kLarkspan = 16,      // a second registration, "Omb Larkspan 9"
    kLanguagePack = 32,  // the language pack of the installation
};

void AddRegistration(test::Machine& machine, const std::wstring& key, const std::wstring& name,
                     const std::wstring& version)
{
    std::wstring path = kInstallerProducts + key + L"\\InstallProperties";
    machine.SetString(HKEY_LOCAL_MACHINE, path, L"DisplayName", name);
    if (!version.empty())
        machine.SetString(HKEY_LOCAL_MACHINE, path, L"DisplayVersion", version);
}

void SeedMachine(test::Machine& machine, unsigned seed)
{
    if (seed & kInstallation)
        machine.ImportReg(L"ui_installation.reg");
    if (seed & (kSingleUserKey | kMultiUserKey | kFallbackKey)) {
        machine.SetString(HKEY_LOCAL_MACHINE, kProductKey, L"Path", kProgramDir, test::View::k32);
        machine.SetString(HKEY_LOCAL_MACHINE, kProductKey, L"DataPath", L"C:\\TidoTest\\UI\\Data",
                          test::View::k32);
        machine.SetDword(HKEY_LOCAL_MACHINE, kProductKey, L"MultiUser",
                         (seed & kMultiUserKey) ? 1 : 0, test::View::k32);
    }
    if (seed & kFallbackKey) {
        machine.SetString(HKEY_LOCAL_MACHINE, kProductKey, L"Description", L"Tav Corla 12",
                          test::View::k32);
        machine.SetString(HKEY_LOCAL_MACHINE, kProductKey, L"Version", L"12.0.3", test::View::k32);
    }
    if (seed & kLarkspan)
        AddRegistration(machine, L"TIDOTESTUI2", L"Omb Larkspan 9", L"9.1");
    if (seed & kLanguagePack)
        AddRegistration(machine, L"TIDOTESTUI9", L"Tav Corla 12 MUI Pack (German)", L"");
}

// The details box of the seeded installation with its product key (single-user mode).
const wchar_t kInstallationDetails[] =
    L"Version: 12.0.3\r\n"
    L"Date Installed: 20240305\r\n"
    L"Installed Location: C:\\TidoTest\\UI\\Program\\\r\n"
    L"Installed from: D:\\Setup\\\r\n"
    L"Local package: C:\\Windows\\Installer\\7e57a1.msi\r\n"
    L"Uninstall Command: MsiExec.exe /X{7E570001-0000-0000-0000-0000000000A1}\r\n"
    L"Size on disk: 123456\r\n"
    L"Major Version: 12\r\n"
    L"Minor Version: 3";
const wchar_t kProductKeyDetails[] =
    L"\r\nProgram Location: C:\\TidoTest\\UI\\Program\r\n"
    L"Data Location: C:\\TidoTest\\UI\\Data\r\n"
    L"Multiuser : 0";
const wchar_t kNothingDetected[] = L"No Corla installations detected";
const wchar_t kWipeModeDetails[] =
    L"No Corla installations detected\r\n"
    L"\r\n"
    L"TIDO is running in wipe mode.\r\n"
    L"Corla registry entries and shortcuts can be removed.";

const wchar_t kConfirmRemove[] =
    L"Warning -- Tav Corla 12 will be removed from the Windows Installer database.\r\n"
    L"In order for Tav Corla 12 to work properly, you must re-install it.\r\n"
    L"Select OK to continue removing Tav Corla 12, Cancel to abort.";
const wchar_t kConfirmDataDirectory[] =
    L"Warning -- Tav Corla 12 data directory will be deleted.\r\n"
    L"Select OK to continue deleting Tav Corla 12 data directory, Cancel to abort.";
const wchar_t kConfirmLanguagePack[] =
    L"Warning -- MUI Pack will be deleted.\r\n"
    L"Select OK to continue deleting MUI Pack, Cancel to abort.";

// Everything a person can see of the dialog's controls in the listing state.
struct DialogState {
    std::vector<std::wstring> entries;
    int selection = -1;
    std::wstring details;
    bool comboEnabled = false;
    bool wipeChecked = false, wipeEnabled = false;
    bool programChecked = false, programEnabled = false;
    bool dataChecked = false, dataEnabled = false;
    bool removeEnabled = false, quitEnabled = false, rescanEnabled = false;

    bool operator==(const DialogState&) const = default;
};

void PrintTo(const DialogState& s, std::ostream* out)
{
    *out << "{entries:";
    for (const auto& entry : s.entries)
        *out << " \"" << test::Narrow(entry) << "\"";
    *out << ", selection " << s.selection << ", details \"" << test::Narrow(s.details)
         << "\", combo " << s.comboEnabled << ", wipe " << s.wipeChecked << s.wipeEnabled
         << ", program files " << s.programChecked << s.programEnabled << ", data files "
         << s.dataChecked << s.dataEnabled << ", remove/quit/rescan " << s.removeEnabled
         << s.quitEnabled << s.rescanEnabled << "}";
}

DialogState ReadState(const test::UiSession& session)
{
    DialogState s;
    s.entries = session.ComboEntries(IDC_COMBO_INSTANCES);
    s.selection = session.ComboSelection(IDC_COMBO_INSTANCES);
    s.details = session.Text(IDC_EDIT_DETAILS);
    s.comboEnabled = session.Enabled(IDC_COMBO_INSTANCES);
    s.wipeChecked = session.Checked(IDC_CHECK_WIPE_MODE);
    s.wipeEnabled = session.Enabled(IDC_CHECK_WIPE_MODE);
    s.programChecked = session.Checked(IDC_CHECK_PROGRAM_FILES);
    s.programEnabled = session.Enabled(IDC_CHECK_PROGRAM_FILES);
    s.dataChecked = session.Checked(IDC_CHECK_DATA_FILES);
    s.dataEnabled = session.Enabled(IDC_CHECK_DATA_FILES);
    s.removeEnabled = session.Enabled(IDOK);
    s.quitEnabled = session.Enabled(IDCANCEL);
    s.rescanEnabled = session.Enabled(IDC_BUTTON_RESCAN);
    return s;
}

// Where the first visible line of the details box begins in the box: at its left margin,
// unless the box was left scrolled sideways and hides the labels.
int FirstVisibleLineLeft(const test::UiSession& session)
{
    LRESULT line = session.Send(IDC_EDIT_DETAILS, EM_GETFIRSTVISIBLELINE);
    LRESULT start = session.Send(IDC_EDIT_DETAILS, EM_LINEINDEX, line);
    return static_cast<short>(LOWORD(session.Send(IDC_EDIT_DETAILS, EM_POSFROMCHAR, start)));
}

// Log lines (without timestamps) that are not in `before`, which the log began with.
std::vector<std::string> NewLogLines(size_t before)
{
    std::vector<std::string> lines = test::ReadLogLines();
    return before < lines.size() ? std::vector<std::string>(lines.begin() + before, lines.end())
                                 : std::vector<std::string>{};
}

// The first of `expected` that is missing from `lines` in this order, or "" when all are there.
std::string FirstMissingInOrder(const std::vector<std::string>& lines,
                                const std::vector<std::string>& expected)
{
    size_t next = 0;
    for (const std::string& line : lines) {
        if (next < expected.size() && line == expected[next])
            ++next;
    }
    return next < expected.size() ? expected[next] : "";
}

size_t CountLines(const std::vector<std::string>& lines, const std::string& text)
{
    return static_cast<size_t>(std::count(lines.begin(), lines.end(), text));
}

std::string StatusFileContent()
{
    return test::Machine::Exists(StatusFilePath()) ? test::Machine::ReadFile(StatusFilePath())
                                                   : "(none)";
}

// Wine draws a window's caption and frame itself, as Windows would, only when told to: the
// virtual display has no window manager to do it. The pictures should show the caption.
class DecoratedWindows : public ::testing::Environment {
public:
    void SetUp() override
    {
        wchar_t value[16] = {};
        DWORD size = sizeof(value);
        hadValue_ = RegGetValueW(HKEY_CURRENT_USER, kKey, L"Decorated", RRF_RT_REG_SZ, nullptr,
                                 value, &size) == ERROR_SUCCESS;
        oldValue_ = value;
        SetValue(L"N");
    }
    void TearDown() override
    {
        if (hadValue_)
            SetValue(oldValue_);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"Decorated");
    }

private:
    static constexpr wchar_t kKey[] = L"Software\\Wine\\X11 Driver";
    static void SetValue(const std::wstring& value)
    {
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Decorated", REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    bool hadValue_ = false;
    std::wstring oldValue_;
};

const auto* const decoratedWindows =
    ::testing::AddGlobalTestEnvironment(new DecoratedWindows);

class UiDialog : public ::testing::Test {
protected:
    // Starts tido.exe with these switches and waits for its dialog; check session->Window().
    std::unique_ptr<test::UiSession> Start(const std::wstring& arguments)
    {
        auto session = std::make_unique<test::UiSession>(test::BuildPath(L"tido.exe"), arguments);
        session->WaitForWindow(kTitle);
        return session;
    }

    // Quits through the Quit button as a person would; the run ends cancelled.
    static void QuitAndExpectCancelled(test::UiSession& session)
    {
        ASSERT_TRUE(session.Click(IDCANCEL));
        DWORD exitCode = 0;
        ASSERT_TRUE(session.WaitForExit(20000, &exitCode));
        EXPECT_EQ(exitCode, kExitUserQuit);
        EXPECT_EQ(StatusFileContent(), "FAILED");
    }

    static void Shoot(HWND window, const std::wstring& name, HWND alsoShown = nullptr)
    {
        EXPECT_TRUE(test::SaveScreenshot(window, name, alsoShown)) << test::Narrow(name);
    }
};

TEST_F(UiDialog, StartStateFollowsTheMachineAndTheSwitches)
{
    struct Case {
        const wchar_t* picture;
        unsigned seed;
        const wchar_t* arguments;
        DialogState expected;
    } cases[] = {
        // An installation with its product key: Wipe Mode is not needed and is disabled.
        {L"start_installed", kInstallation | kSingleUserKey, L"",
         {{L"Tav Corla 12"}, 0, std::wstring(kInstallationDetails) + kProductKeyDetails,
          true, false, false, false, true, false, true, true, true, true}},
        {L"start_installed_wipe", kInstallation | kSingleUserKey, L"-wipe -rp -rd",
         {{L"Tav Corla 12"}, 0, std::wstring(kInstallationDetails) + kProductKeyDetails,
          true, true, true, true, true, true, true, true, true, true}},
        // Installer data without a product key: no product-key lines, Wipe Mode offered.
        {L"start_registration_only", kInstallation, L"-rp",
         {{L"Tav Corla 12"}, 0, kInstallationDetails,
          true, false, true, true, true, false, true, true, true, true}},
        // Only the product key: the short display of a fallback record.
        {L"start_product_key_only", kFallbackKey, L"",
         {{L"Tav Corla 12"}, 0,
          std::wstring(L"Version: 12.0.3") + kProductKeyDetails,
          true, false, false, false, true, false, true, true, true, true}},
        // Multi-user: the data files box is off and disabled whatever the switches say.
        {L"start_multi_user_wipe", kInstallation | kMultiUserKey, L"-wipe -rd",
         {{L"Tav Corla 12"}, 0,
          std::wstring(kInstallationDetails) +
              L"\r\nProgram Location: C:\\TidoTest\\UI\\Program\r\n"
              L"Data Location: C:\\TidoTest\\UI\\Data\r\nMultiuser : 1",
          true, true, true, false, true, false, false, true, true, true}},
        // Nothing detected.
        {L"start_nothing", kNothing, L"",
         {{}, -1, kNothingDetected, false, false, true, false, false, false, false,
          false, true, true}},
        {L"start_nothing_wipe", kNothing, L"-wipe -rp -rd",
         {{}, -1, kWipeModeDetails, false, true, true, false, false, false, false,
          true, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(test::Narrow(c.picture));
        test::Machine machine;
        SeedMachine(machine, c.seed);
        auto session = Start(c.arguments);
        ASSERT_TRUE(session->Window());
        EXPECT_EQ(ReadState(*session), c.expected);
        int left = FirstVisibleLineLeft(*session);
        EXPECT_TRUE(left >= 0 && left <= 4) << left << ": the labels are scrolled out of view";
        Shoot(session->Window(), c.picture);
        QuitAndExpectCancelled(*session);
    }
}

TEST_F(UiDialog, CancelAtEachConfirmationLeavesTheDialogAsItWas)
{
    test::Machine machine;
    SeedMachine(machine, kInstallation | kSingleUserKey | kLanguagePack);
    auto session = Start(L"-rd");
    ASSERT_TRUE(session->Window());
    const DialogState before = ReadState(*session);
    ASSERT_TRUE(before.dataChecked);

    // The three confirmations come in this order; each round cancels one further along.
    const std::vector<std::wstring> confirmations = {kConfirmRemove, kConfirmDataDirectory,
                                                     kConfirmLanguagePack};
    const wchar_t* pictures[] = {L"confirm_remove", L"confirm_data_directory",
                                 L"confirm_language_pack"};
    for (size_t cancelAt = 0; cancelAt < confirmations.size(); ++cancelAt) {
        SCOPED_TRACE("cancel at confirmation " + std::to_string(cancelAt + 1));
        size_t logBefore = test::ReadLogLines().size();
        ASSERT_TRUE(session->Click(IDOK));
        for (size_t i = 0; i <= cancelAt; ++i) {
            auto box = session->WaitForMessageBox();
            ASSERT_TRUE(box) << "no confirmation " << i + 1;
            EXPECT_EQ(box->caption, L"Tido");
            EXPECT_EQ(test::Narrow(box->text), test::Narrow(confirmations[i]));
            if (i == cancelAt)
                Shoot(session->Window(), pictures[i], box->window);
            ASSERT_TRUE(session->Answer(*box, i == cancelAt ? IDCANCEL : IDOK));
        }
        ASSERT_TRUE(session->Settle());
        EXPECT_TRUE(session->OpenMessageBoxes().empty());
        EXPECT_EQ(ReadState(*session), before);
        std::vector<std::string> lines = NewLogLines(logBefore);
        EXPECT_EQ(FirstMissingInOrder(lines, {"TIDO: Tav Corla 12 will be removed by TIDO. ",
                                              "TIDO: No Corla process running.",
                                              "TIDO: Remove Program files is unchecked ",
                                              "TIDO: Remove Data files is checked ",
                                              "TIDO: Cancelled by user. "}),
                  "");
        EXPECT_EQ(CountLines(lines, "TIDO: DoUninstall: Entering "), 0u);
    }
    QuitAndExpectCancelled(*session);
    EXPECT_TRUE(test::Machine::KeyExists(HKEY_LOCAL_MACHINE, kRegistration));
}

TEST_F(UiDialog, MultiUserInstallationNeverRemovesItsDataFiles)
{
    test::Machine machine;
    SeedMachine(machine, kInstallation | kMultiUserKey);
    auto session = Start(L"-rd");
    ASSERT_TRUE(session->Window());
    EXPECT_FALSE(session->Checked(IDC_CHECK_DATA_FILES));
    EXPECT_FALSE(session->Enabled(IDC_CHECK_DATA_FILES));

    ASSERT_TRUE(session->Click(IDOK));
    auto box = session->WaitForMessageBox();
    ASSERT_TRUE(box);
    // The removal confirmation only: the data directory is not asked about.
    EXPECT_EQ(test::Narrow(box->text), test::Narrow(kConfirmRemove));
    ASSERT_TRUE(session->Answer(*box, IDCANCEL));
    ASSERT_TRUE(session->Settle());
    std::vector<std::string> lines = test::ReadLogLines();
    EXPECT_EQ(FirstMissingInOrder(lines, {"TIDO: Remove Data files is unchecked ",
                                          "TIDO: Cancelled by user. "}),
              "");
    QuitAndExpectCancelled(*session);
}

TEST_F(UiDialog, RemoveIsRefusedWhileTheProductRuns)
{
    test::Machine machine;
    SeedMachine(machine, kInstallation | kSingleUserKey);
    // A program under the product's executable name, alive until this test ends.
    std::wstring readyName = L"TidoUiProductReady" + std::to_wstring(GetCurrentProcessId());
    UniqueHandle ready(CreateEventW(nullptr, TRUE, FALSE, readyName.c_str()));
    test::ChildProcess product(test::QuoteArgument(test::BuildPath(L"helpers\\names\\CORLA.EXE")) +
                               L" " + std::to_wstring(GetCurrentProcessId()) + L" " + readyName);
    ASSERT_EQ(WaitForSingleObject(ready.Get(), 20000), WAIT_OBJECT_0);

    auto session = Start(L"");
    ASSERT_TRUE(session->Window());
    const DialogState before = ReadState(*session);
    ASSERT_TRUE(session->Click(IDOK));
    auto box = session->WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(test::Narrow(box->text),
              "Could not remove Tav Corla 12 because the following process is running. Please "
              "close it first before running TIDO.\nProcess name: corla.exe");
    Shoot(session->Window(), L"process_running", box->window);
    ASSERT_TRUE(session->Answer(*box, IDOK));
    ASSERT_TRUE(session->Settle());
    EXPECT_TRUE(session->OpenMessageBoxes().empty()) << "no confirmation may follow";
    EXPECT_EQ(ReadState(*session), before);
    std::vector<std::string> lines = test::ReadLogLines();
    EXPECT_EQ(CountLines(lines, "TIDO: Corla is running. Please close Corla client first before "
                                "run TIDO - corla.exe"),
              1u);
    EXPECT_EQ(CountLines(lines, "TIDO: No Corla process running."), 0u);
    QuitAndExpectCancelled(*session);
}

TEST_F(UiDialog, RemovalThroughTheDialogEndsItWithOk)
{
    test::Machine machine;
    SeedMachine(machine, kInstallation | kSingleUserKey);
    machine.WriteFile(std::wstring(kProgramDir) + L"\\corla.exe", "program");
    auto session = Start(L"");
    ASSERT_TRUE(session->Window());
    ASSERT_FALSE(session->Checked(IDC_CHECK_PROGRAM_FILES));
    ASSERT_TRUE(session->Click(IDC_CHECK_PROGRAM_FILES));
    ASSERT_TRUE(session->Settle());
    ASSERT_TRUE(session->Checked(IDC_CHECK_PROGRAM_FILES));

    ASSERT_TRUE(session->Click(IDOK));
    auto box = session->WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(test::Narrow(box->text), test::Narrow(kConfirmRemove));
    ASSERT_TRUE(session->Answer(*box, IDOK));
    // A second Remove that reaches the window after the first one was confirmed.
    session->Post(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);

    // Watch the removal: the status line as it changes, and no box at all.
    std::vector<std::wstring> statuses;
    std::vector<std::wstring> boxes;
    bool checkedRemovalView = false;
    DWORD exitCode = 0;
    bool ended = false;
    for (DWORD start = GetTickCount(); !ended && GetTickCount() - start < 60000;) {
        ended = session->WaitForExit(50, &exitCode);
        if (ended)
            break;
        for (const auto& open : session->OpenMessageBoxes()) {
            boxes.push_back(open.text);
            session->Answer(open, IDCANCEL);
        }
        std::wstring status = session->Text(IDC_STATIC_STATUS);
        if (!status.empty() && (statuses.empty() || statuses.back() != status))
            statuses.push_back(status);
        // The automatic-update step pauses for seconds: time to look, and to try to leave.
        if (status == L"Cleaning Autoupdate..." && !checkedRemovalView) {
            checkedRemovalView = true;
            for (int id : {IDOK, IDCANCEL, IDC_BUTTON_RESCAN, IDC_CHECK_PROGRAM_FILES,
                           IDC_CHECK_DATA_FILES, IDC_COMBO_INSTANCES, IDC_CHECK_WIPE_MODE})
                EXPECT_FALSE(session->Enabled(id)) << "control " << id;
            EXPECT_FALSE(session->Visible(IDC_EDIT_DETAILS));
            EXPECT_FALSE(session->Visible(IDC_CHECK_PROGRAM_FILES));
            EXPECT_FALSE(session->Visible(IDC_CHECK_DATA_FILES));
            EXPECT_TRUE(session->Visible(IDC_STATIC_HEADER));
            EXPECT_TRUE(session->Visible(IDC_STATIC_STATUS));
            EXPECT_TRUE(session->Visible(IDC_PROGRESS));
            EXPECT_EQ(test::Narrow(session->Text(IDC_STATIC_HEADER)),
                      "Please wait while TIDO removes Tav Corla 12. This may take a moment. "
                      "TIDO will close automatically when clean is over.\r\nSome items will be "
                      "removed after the next time you log in.\r\n\r\n\r\nStatus:");
            Shoot(session->Window(), L"removing");
            // Escape, the close box and the system menu's Close must wait for the end.
            session->PressKey(0, VK_ESCAPE);
            session->Post(WM_CLOSE, 0, 0);
            session->Post(WM_SYSCOMMAND, SC_CLOSE, 0);
        }
    }
    ASSERT_TRUE(ended) << "the dialog did not close itself";
    EXPECT_TRUE(checkedRemovalView);
    EXPECT_TRUE(boxes.empty()) << test::Narrow(boxes.empty() ? L"" : boxes.front());
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(StatusFileContent(), "OK");

    // The status line showed the steps in their order (a fast one may pass unseen).
    std::vector<std::string> seen;
    for (const auto& status : statuses)
        seen.push_back(test::Narrow(status));
    const std::vector<std::string> steps = {
        "Running MsiZap...",     "Stopping Services...",  "Removing program files...",
        "Removing shortcuts...", "Cleaning Autoupdate...", "Cleaning registry..."};
    EXPECT_EQ(FirstMissingInOrder(steps, seen), "") << "shown out of order";

    std::vector<std::string> lines = test::ReadLogLines();
    std::vector<std::string> expected = {"TIDO: Remove Program files is checked ",
                                         "TIDO: Remove Data files is unchecked "};
    for (const auto& step : steps)
        expected.push_back("TIDO: SetStatusText: Set status text to: " + step);
    EXPECT_EQ(FirstMissingInOrder(lines, expected), "");
    EXPECT_EQ(CountLines(lines, "TIDO: Tav Corla 12 will be removed by TIDO. "), 1u);
    EXPECT_EQ(CountLines(lines, "TIDO: Tav Corla 12 removed by TIDO successfully. "), 1u);
    EXPECT_EQ(CountLines(lines, "TIDO: DoUninstall: Entering "), 1u);
    EXPECT_FALSE(test::Machine::Exists(std::wstring(kProgramDir) + L"\\corla.exe"));
    EXPECT_FALSE(test::Machine::KeyExists(HKEY_LOCAL_MACHINE, kRegistration));
}

TEST_F(UiDialog, QuitEscapeAndTheCloseBoxEndTheDialogCancelled)
{
    struct Case {
        const char* how;
        void (*end)(test::UiSession&);
    } cases[] = {
        {"Quit", [](test::UiSession& s) { ASSERT_TRUE(s.Click(IDCANCEL)); }},
        {"Escape", [](test::UiSession& s) { s.PressKey(IDC_COMBO_INSTANCES, VK_ESCAPE); }},
        {"close box", [](test::UiSession& s) { s.Post(WM_CLOSE, 0, 0); }},
        {"system menu Close", [](test::UiSession& s) { s.Post(WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    test::Machine machine;
    SeedMachine(machine, kInstallation | kSingleUserKey);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        test::Machine::DeletePath(StatusFilePath());
        auto session = Start(L"-rp");
        ASSERT_TRUE(session->Window());
        c.end(*session);
        DWORD exitCode = 0;
        ASSERT_TRUE(session->WaitForExit(20000, &exitCode));
        EXPECT_EQ(exitCode, kExitUserQuit);
        EXPECT_EQ(StatusFileContent(), "FAILED");
    }
    EXPECT_TRUE(test::Machine::KeyExists(HKEY_LOCAL_MACHINE, kRegistration));
    EXPECT_EQ(CountLines(test::ReadLogLines(), "TIDO: DoUninstall: Entering "), 0u);
}

TEST_F(UiDialog, ToggledWipeModeListsEachInstallationOnce)
{
    test::Machine machine;
    SeedMachine(machine, kInstallation | kLarkspan);
    auto session = Start(L"");
    ASSERT_TRUE(session->Window());
    const std::vector<std::wstring> both = {L"Tav Corla 12", L"Omb Larkspan 9"};
    EXPECT_EQ(session->ComboEntries(IDC_COMBO_INSTANCES), both);
    for (int toggle = 1; toggle <= 5; ++toggle) {
        SCOPED_TRACE("toggle " + std::to_string(toggle));
        ASSERT_TRUE(session->Click(IDC_CHECK_WIPE_MODE));
        ASSERT_TRUE(session->Settle());
        EXPECT_EQ(session->Checked(IDC_CHECK_WIPE_MODE), toggle % 2 == 1);
        EXPECT_EQ(session->ComboEntries(IDC_COMBO_INSTANCES), both);
        EXPECT_EQ(session->ComboSelection(IDC_COMBO_INSTANCES), 0);
        EXPECT_TRUE(session->Enabled(IDOK));
        EXPECT_EQ(session->Text(IDC_EDIT_DETAILS), kInstallationDetails);
    }
    Shoot(session->Window(), L"wipe_mode_toggled");

    // Choosing the other installation shows its details; Rescan finds one added meanwhile.
    session->PressKey(IDC_COMBO_INSTANCES, VK_DOWN);
    ASSERT_TRUE(session->Settle());
    EXPECT_EQ(session->ComboSelection(IDC_COMBO_INSTANCES), 1);
    EXPECT_EQ(test::Narrow(session->Text(IDC_EDIT_DETAILS)),
              "Version: 9.1\r\nDate Installed: \r\nInstalled Location: \r\nInstalled from: \r\n"
              "Local package: \r\nUninstall Command: \r\nSize on disk: 0\r\nMajor Version: 0\r\n"
              "Minor Version: 0");
    Shoot(session->Window(), L"second_installation");
    AddRegistration(machine, L"TIDOTESTUI3", L"Gorvo Corla 8", L"8.0");
    ASSERT_TRUE(session->Click(IDC_BUTTON_RESCAN));
    ASSERT_TRUE(session->Settle());
    EXPECT_EQ(session->ComboEntries(IDC_COMBO_INSTANCES),
              (std::vector<std::wstring>{L"Tav Corla 12", L"Omb Larkspan 9", L"Gorvo Corla 8"}));
    EXPECT_EQ(session->ComboSelection(IDC_COMBO_INSTANCES), 0);
    QuitAndExpectCancelled(*session);
}

TEST_F(UiDialog, WipeModeWithNothingDetected)
{
    test::Machine machine;
    auto session = Start(L"-wipe");
    ASSERT_TRUE(session->Window());
    ASSERT_TRUE(session->Enabled(IDOK));

    // Remove asks about what wipe mode removes, and Cancel changes nothing.
    ASSERT_TRUE(session->Click(IDOK));
    auto box = session->WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(test::Narrow(box->text),
              "WARNING: TIDO will remove Corla registry entries, Shortcuts.\r\n"
              "Select OK to continue or Cancel to abort.");
    Shoot(session->Window(), L"confirm_wipe", box->window);
    ASSERT_TRUE(session->Answer(*box, IDCANCEL));
    ASSERT_TRUE(session->Settle());
    EXPECT_EQ(CountLines(test::ReadLogLines(), "TIDO: Cancelled by user. "), 1u);

    // Without wipe mode there is nothing to remove: Remove goes dark, and back again.
    struct Step {
        bool wipe;
        const wchar_t* details;
    } steps[] = {{false, kNothingDetected}, {true, kWipeModeDetails}, {false, kNothingDetected}};
    for (const Step& step : steps) {
        ASSERT_TRUE(session->Click(IDC_CHECK_WIPE_MODE));
        ASSERT_TRUE(session->Settle());
        EXPECT_EQ(session->Checked(IDC_CHECK_WIPE_MODE), step.wipe);
        EXPECT_EQ(session->Enabled(IDOK), step.wipe);
        EXPECT_EQ(session->Text(IDC_EDIT_DETAILS), step.details);
        EXPECT_TRUE(session->ComboEntries(IDC_COMBO_INSTANCES).empty());
    }
    QuitAndExpectCancelled(*session);
}

TEST_F(UiDialog, SystemMenuOpensTheAboutBox)
{
    test::Machine machine;
    SeedMachine(machine, kInstallation | kSingleUserKey);
    auto session = Start(L"");
    ASSERT_TRUE(session->Window());

    // The menu item's command; the system keeps the low four bits of a command for itself.
    for (WPARAM command : {WPARAM{IDM_ABOUTBOX}, WPARAM{IDM_ABOUTBOX | 0x3}}) {
        SCOPED_TRACE(command);
        session->Post(WM_SYSCOMMAND, command, 0);
        HWND about = session->WaitForWindow(L"About Tido", 10000);
        ASSERT_TRUE(about);
        auto boxes = session->OpenMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, L"Removes Corla and Larkspan installations completely.");
        EXPECT_FALSE(IsWindowEnabled(session->Window())) << "the About box is modal";
        Shoot(session->Window(), L"about", about);
        ASSERT_TRUE(session->Answer(boxes[0], IDOK));
        ASSERT_TRUE(session->Settle());
        EXPECT_TRUE(IsWindowEnabled(session->Window()));
    }
    QuitAndExpectCancelled(*session);
}

TEST_F(UiDialog, WipeModeExplainsItselfUnderTheMouse)
{
    test::Machine machine;
    auto session = Start(L"");
    ASSERT_TRUE(session->Window());
    RECT box;
    ASSERT_TRUE(GetWindowRect(session->Item(IDC_CHECK_WIPE_MODE), &box));
    // The tip shows once the mouse has moved onto the box and rested there for a moment.
    HWND tip = nullptr;
    for (int attempt = 0; attempt < 3 && !tip; ++attempt) {
        SetCursorPos((box.left + box.right) / 2 + attempt, (box.top + box.bottom) / 2);
        for (int poll = 0; poll < 30 && !tip; ++poll) {
            Sleep(100);
            HWND found = FindWindowW(L"tooltips_class32", nullptr);
            if (found && IsWindowVisible(found))
                tip = found;
        }
    }
    ASSERT_TRUE(tip);
    EXPECT_EQ(test::Narrow(test::UiSession::TextOf(tip)),
              "Wipe mode will clean up Corla registry even if no Corla instance found.");
    Shoot(session->Window(), L"wipe_mode_tip", tip);
    SetCursorPos(0, 0);
    QuitAndExpectCancelled(*session);
}

}  // namespace

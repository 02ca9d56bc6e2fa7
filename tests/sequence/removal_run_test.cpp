// The silent removal run (-qn) in-process: its refusals and result texts in the log, and the
// boxes that "+" asks for, answered by the machine seam. No display: nothing may wait for a
// click.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "support/fake_system.h"
#include "support/log_reader.h"
#include "support/machine.h"
#include "support/paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;
using test::Machine;
using test::View;

namespace {

const wchar_t kProducts[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Products";
// The silent modes' boxes: nobody may be looking at a window of Tido.
const UINT kSilentBox = MB_OK | MB_TOPMOST;

// The lines of the bare tag "TIDO" (those of a step begin "TIDO: StepName: "), from the log
// of the product selected.
Lines RunLines(bool larkspan = false)
{
    Lines lines;
    for (const std::string& line : test::ReadLogLines(larkspan)) {
        if (line.rfind("TIDO: ", 0) != 0)
            continue;
        std::string rest = line.substr(6);
        std::string firstWord = rest.substr(0, rest.find(' '));
        if (firstWord.empty() || firstWord.back() != ':')
            lines.push_back(rest);
    }
    return lines;
}

struct Box {
    std::string text;
    UINT type;
    bool operator==(const Box&) const = default;
};

void PrintTo(const Box& box, std::ostream* out)
{
    *out << "{\"" << box.text << "\", 0x" << std::hex << box.type << "}";
}

class RemovalRun : public ::testing::Test {
protected:
    RemovalRun()
    {
        app.m_bQuiet = 1;
        app.m_bStatusBox = 1;
    }

    // An installation in the installer's data, as the scan finds it.
    void Install(const std::wstring& displayName)
    {
        machine.SetString(HKEY_LOCAL_MACHINE, std::wstring(kProducts) + L"\\TIDOTEST21\\InstallProperties",
                          L"DisplayName", displayName, View::k64);
    }

    std::vector<Box> Boxes() const
    {
        std::vector<Box> boxes;
        for (const auto& box : system.boxes)
            boxes.push_back({test::Narrow(box.text), box.type});
        return boxes;
    }

    bool SequenceRan() { return dialog.m_eventDone.Wait(0) == WAIT_OBJECT_0; }

    Machine machine;
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
};

TEST_F(RemovalRun, NothingDetectedWithoutWipeFailsWithTheBoxOfVersionZero)
{
    EXPECT_EQ(dialog.RemovalRun(), 2);
    EXPECT_EQ(RunLines(), (Lines{"No Corla installations detected."}));
    EXPECT_EQ(Boxes(), (std::vector<Box>{
                           {"TIDO has failed to remove Gorvo Corla. Please check the "
                            "TavCorlaInstall.log for more details. ",
                            kSilentBox}}));
    EXPECT_FALSE(SequenceRan());
}

// Without a detected installation the name is empty: the log keeps the blank before the
// text, and the box names the product instead.
TEST_F(RemovalRun, WipeOnAnEmptyMachineRunsTheSequence)
{
    app.m_bWipe = 1;
    EXPECT_EQ(dialog.RemovalRun(), 1);
    EXPECT_EQ(RunLines(), (Lines{" will be removed by TIDO. ", "No Corla process running.",
                                 "TIDO has successfully removed Corla by wipe mode. "}));
    EXPECT_EQ(Boxes(), (std::vector<Box>{{"TIDO has successfully removed Corla.", kSilentBox}}));
    EXPECT_TRUE(SequenceRan());
}

TEST_F(RemovalRun, ChosenProductNotFoundIsNamedAndNothingRuns)
{
    struct Case {
        int product;
        const wchar_t* installed;
        bool tlkaKey;
        std::string text;
        bool larkspanLog;  // the log of the product the scan selected
    } cases[] = {
        {1, L"Tav Larkspan 11", false, "No Corla installation found.", true},
        {2, L"Tav Corla 12", false, "No OLKA installation found.", false},
        {2, L"Tav Corla 12", true, "No TLKA installation found.", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Machine::RemoveLeftovers();
        test::ClearLogs();
        system.boxes.clear();
        Install(c.installed);
        if (c.tlkaKey)
            machine.CreateKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tav\\TLKA", View::k32);
        app.m_nProduct = c.product;
        CTidoDlg run{102, &app};
        EXPECT_EQ(run.RemovalRun(), 2);
        EXPECT_EQ(RunLines(c.larkspanLog), (Lines{c.text}));
        EXPECT_EQ(Boxes(), (std::vector<Box>{{c.text, kSilentBox}}));
        EXPECT_NE(run.m_eventDone.Wait(0), static_cast<DWORD>(WAIT_OBJECT_0));
    }
}

TEST_F(RemovalRun, NonAdministratorIsRefusedBeforeAnythingIsRemoved)
{
    system.admin = false;
    app.m_bWipe = 1;
    EXPECT_EQ(dialog.RemovalRun(), 2);
    EXPECT_EQ(RunLines(),
              (Lines{" will be removed by TIDO. ", "Running as non-admin user - TIDO cancelled."}));
    EXPECT_EQ(Boxes(), (std::vector<Box>{
                           {"TIDO is runnning as non-admin user. Please run TIDO as admin user.",
                            kSilentBox}}));
    EXPECT_FALSE(SequenceRan());
}

// A file that cannot be deleted (held open here) changes the result text, not the result:
// the box still reports the removal.
TEST_F(RemovalRun, ResultTextTellsWhetherFilesWereLeft)
{
    const std::wstring updateDir = L"C:\\TidoTest\\Tav\\AutoUpdate";
    struct Case {
        bool holdFile;
        std::string result;
    } cases[] = {
        {false, "TIDO has successfully removed Tav Corla 12"},
        {true, "TIDO has removed Tav Corla 12. Some files could not be removed. Please check "
               "the log for details."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        Machine::RemoveLeftovers();
        test::ClearLogs();
        system.boxes.clear();
        Install(L"Tav Corla 12");
        machine.SetString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tav\\AutoUpdate", L"Path",
                          updateDir + L"\\AutoUpdate.exe", View::k32);
        machine.WriteFile(updateDir + L"\\AutoUpdate.exe", "x");
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.holdFile) {
            held = CreateFileW((updateDir + L"\\AutoUpdate.exe").c_str(), GENERIC_READ,
                               FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        }
        CTidoDlg run{102, &app};
        int result = run.RemovalRun();
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);

        EXPECT_EQ(result, 1);
        EXPECT_EQ(RunLines(), (Lines{"Tav Corla 12 will be removed by TIDO. ",
                                     "No Corla process running.", c.result + " "}));
        EXPECT_EQ(Boxes(),
                  (std::vector<Box>{{"TIDO has successfully removed Tav Corla 12.", kSilentBox}}));
        EXPECT_EQ(Machine::Exists(updateDir), c.holdFile);
    }
}

}  // namespace

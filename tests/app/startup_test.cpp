// Start-up: the help and non-administrator exits, the status file and the exit codes, in
// process with the fake machine seam and through tido.exe itself.
#include "app/tido_app.h"
#include "support/fake_system.h"
#include "support/machine.h"
#include "support/paths.h"
#include "support/process.h"

#include <gtest/gtest.h>

namespace {

std::string StatusFileContent()
{
    return test::Machine::Exists(StatusFilePath()) ? test::Machine::ReadFile(StatusFilePath())
                                                   : "(none)";
}

TEST(ExitCodes, FollowTheOutcomeOfTheRun)
{
    struct Case {
        RunOutcome outcome;
        int exitCode;
    } cases[] = {
        {{1, true}, kExitOk},
        {{1, false}, kExitOk},
        {{2, false}, kExitUserCancelled},   // Quit, close box, -qb window closed early
        {{2, true}, kExitRemovalFailed},    // a refused run
        {{-1, false}, kExitRemovalFailed},  // no dialog
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExitCodeForRun(c.outcome), c.exitCode)
            << c.outcome.result << "/" << c.outcome.removalAttempted;
}

class Startup : public ::testing::Test {
protected:
    int Run(std::vector<std::wstring> words)
    {
        CTidoApp app(system);
        return app.Run(words);
    }
    test::Machine machine;
    test::FakeSystem system;
};

TEST_F(Startup, StatusFileOverwritesAnOlderLongerFile)
{
    machine.WriteFile(StatusFilePath(), "SOMETHING MUCH LONGER");
    WriteStatusFile(1);
    EXPECT_EQ(StatusFileContent(), "OK");
    WriteStatusFile(2);
    EXPECT_EQ(StatusFileContent(), "FAILED");
    WriteStatusFile(-1);
    EXPECT_EQ(StatusFileContent(), "FAILED");
}

TEST_F(Startup, StatusFileGoesToTheDriveRootWithoutTemp)
{
    wchar_t temp[MAX_PATH];
    GetEnvironmentVariableW(L"TEMP", temp, MAX_PATH);
    SetEnvironmentVariableW(L"TEMP", L"");
    std::wstring path = StatusFilePath();
    SetEnvironmentVariableW(L"TEMP", temp);
    EXPECT_EQ(path, L"\\Tido.status");
}

TEST_F(Startup, HelpAndRefusalDeleteAStaleStatusAndShowBoxesOnlyWhenSomeoneCanClickThem)
{
    struct Case {
        std::vector<std::wstring> words;
        bool admin;
        int exitCode;
        size_t boxes;
    } cases[] = {
        {{L"-h"}, true, kExitOk, 1},
        {{L"-?", L"-rp"}, true, kExitOk, 1},
        {{L"-x"}, true, kExitInvalidSwitch, 1},
        {{L"-qn", L"-x"}, true, kExitInvalidSwitch, 0},
        {{L"-qb", L"-h"}, true, kExitOk, 0},
        {{L"-qn+", L"-x"}, true, kExitInvalidSwitch, 1},
        {{}, false, kExitAccessDenied, 1},
        {{L"-qn"}, false, kExitAccessDenied, 0},
        {{L"-qb"}, false, kExitAccessDenied, 0},
        {{L"-qn+"}, false, kExitAccessDenied, 1},
    };
    for (const Case& c : cases) {
        machine.WriteFile(StatusFilePath(), "OK");
        system.boxes.clear();
        system.admin = c.admin;
        EXPECT_EQ(Run(c.words), c.exitCode);
        EXPECT_EQ(system.boxes.size(), c.boxes);
        for (const auto& box : system.boxes)
            EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
        EXPECT_EQ(StatusFileContent(), "(none)");
    }
}

TEST_F(Startup, SilentRunWithoutTheRemovalWritesFailed)
{
    machine.WriteFile(StatusFilePath(), "OK");
    EXPECT_EQ(Run({L"-qn"}), kExitRemovalFailed);
    EXPECT_EQ(StatusFileContent(), "FAILED");
}

TEST_F(Startup, DialogThatCannotBeCreatedWritesFailed)
{
    EXPECT_EQ(Run({L"-rp"}), kExitRemovalFailed);  // no display here: no window
    EXPECT_EQ(StatusFileContent(), "FAILED");
}

// tido.exe itself, through a child process whose full exit code is read.
TEST(TidoExe, ExitCodesOfTheProgram)
{
    test::Machine machine;
    struct Case {
        const wchar_t* arguments;
        DWORD exitCode;
        const char* status;
    } cases[] = {
        {L"-h", 0, "(none)"},
        {L"-qn -bogus", 87, "(none)"},
        {L"-qn", 1603, "FAILED"},
    };
    for (const Case& c : cases) {
        test::ProcessResult result = test::RunProcess(
            test::QuoteArgument(test::BuildPath(L"tido.exe")) + L" " + c.arguments, 30000);
        ASSERT_TRUE(result.started);
        EXPECT_EQ(result.exitCode, c.exitCode) << testing::PrintToString(std::wstring(c.arguments));
        EXPECT_EQ(StatusFileContent(), c.status);
        test::Machine::DeletePath(StatusFilePath());
    }
}

}  // namespace

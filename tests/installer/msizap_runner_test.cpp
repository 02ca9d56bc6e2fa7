// Running the installer-data tool: extraction into a protected directory of its own, the
// quoted command line, one or two runs, exit codes, and the clean-up afterwards. The test
// program carries a fake tool as its "MSIZAP" resource.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "installer/msizap_runner.h"
#include "support/fake_system.h"
#include "support/log_reader.h"
#include "support/machine.h"
#include "support/paths.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

using test::Machine;

namespace {

TEST(MsiZapCommandLine, ProductCodeFromTheLastBrace)
{
    struct Case {
        const wchar_t* uninstallString;
        const wchar_t* commandLine;
    } cases[] = {
        {L"MsiExec.exe /X{11111111-2222-3333-4444-555555555555}",
         L"\"C:\\T\\msizap.exe\" TW {11111111-2222-3333-4444-555555555555}"},
        {L"C:\\Uninstall Corla.exe", L"\"C:\\T\\msizap.exe\" TW C:\\Uninstall Corla.exe"},
        {L"x {a} {b}", L"\"C:\\T\\msizap.exe\" TW {b}"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MsiZapCommandLine(L"C:\\T\\msizap.exe", c.uninstallString), c.commandLine);
}

const wchar_t kCodeA[] = L"MsiExec.exe /I{AAAAAAAA-0000-0000-0000-000000000001}";
const wchar_t kCodeB[] = L"MsiExec.exe /I{BBBBBBBB-0000-0000-0000-000000000002}";
const wchar_t kCodeL[] = L"MsiExec.exe /I{CCCCCCCC-0000-0000-0000-000000000003}";

class RunMsiZap : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t buffer[MAX_PATH] = {};
        GetEnvironmentVariableW(L"TEMP", buffer, MAX_PATH);
        savedTemp = buffer;
        UseTemp(root + L"\\Temp");
        SetEnvironmentVariableW(L"FAKE_ZAP_LOG", (root + L"\\zap.log").c_str());
        SetEnvironmentVariableW(L"FAKE_ZAP_EXIT", nullptr);
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"TEMP", savedTemp.c_str());
        SetEnvironmentVariableW(L"FAKE_ZAP_LOG", nullptr);
        SetEnvironmentVariableW(L"FAKE_ZAP_EXIT", nullptr);
    }
    void UseTemp(const std::wstring& temp)
    {
        machine.MakeDirectory(temp);
        SetEnvironmentVariableW(L"TEMP", temp.c_str());
        this->temp = temp;
    }
    void AddRecord(const wchar_t* key, const wchar_t* name, const wchar_t* uninstall)
    {
        CCorlaInstance& record = dialog.m_mapInstances.Add(key);
        record.m_strDisplayName = name;
        record.m_strUninstallString = uninstall;
    }
    std::vector<std::string> ToolRuns()
    {
        std::istringstream lines(Machine::ReadFile(root + L"\\zap.log"));
        std::vector<std::string> runs;
        for (std::string line; std::getline(lines, line);)
            runs.push_back(line);
        return runs;
    }
    // The log with the random tool directory replaced by "<dir>".
    std::vector<std::string> Log()
    {
        std::vector<std::string> lines = test::ReadLogLines();
        for (std::string& line : lines)
            line = std::regex_replace(line, std::regex(R"(\\Tido-[0-9a-f]{16}\\)"), "\\<dir>\\");
        return lines;
    }
    bool TempIsEmpty()
    {
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW((temp + L"\\*").c_str(), &entry);
        bool empty = true;
        do {
            std::wstring name = entry.cFileName;
            empty = empty && (name == L"." || name == L"..");
        } while (FindNextFileW(find, &entry));
        FindClose(find);
        return empty;
    }

    Machine machine;
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
    const std::wstring root = L"C:\\TidoTest";
    std::wstring temp;
    std::wstring savedTemp;
};

TEST_F(RunMsiZap, RunsOnceFromAProtectedCopyAndRemovesIt)
{
    dialog.m_strUninstallString = kCodeA;
    dialog.RunMSIZap();
    std::string tool = "C:\\TidoTest\\Temp\\<dir>\\msizap.exe";
    EXPECT_EQ(Log(), (std::vector<std::string>{
        "TIDO: RunMSIZap: Entering",
        "TIDO: ExtractMSIZap: Entering",
        "TIDO: ExtractMSIZap: Found MSIZap Resource",
        "CTidoDlg/GetTempVariable: Get environment variable TEMP: C:\\TidoTest\\Temp",
        "TIDO: ExtractMSIZap: Create MSIZap.exe File: " + tool,
        "TIDO: ExtractMSIZap: Exiting",
        "CTidoDlg/GetTempVariable: Get environment variable TEMP: C:\\TidoTest\\Temp",
        "TIDO: RunMSIZap: MSIZap.exe path: " + tool,
        "TIDO: RunMSIZap: Uninstall command: \"" + tool + "\" TW {AAAAAAAA-0000-0000-0000-000000000001}",
        "TIDO: RunMSIZap: MSIZap run successful.",
        "TIDO: RunMSIZap: msizap.exe deleted: " + tool,
        "TIDO: RunMSIZap: Exiting"}));
    ASSERT_EQ(ToolRuns().size(), 1u);
    EXPECT_NE(ToolRuns()[0].find("\" TW {AAAAAAAA-0000-0000-0000-000000000001}"), std::string::npos);
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(RunMsiZap, LogsAFailingExitCode)
{
    SetEnvironmentVariableW(L"FAKE_ZAP_EXIT", L"1603");
    dialog.m_strUninstallString = kCodeA;
    dialog.RunMSIZap();
    std::vector<std::string> log = Log();
    EXPECT_NE(std::find(log.begin(), log.end(),
                        "TIDO: RunMSIZap: ERROR: MSIZap failed to run with error code 1603"),
              log.end());
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(RunMsiZap, SecondRunOnlyForAnotherRegistrationOfTheSameProduct)
{
    struct Case {
        const wchar_t* otherName;
        const wchar_t* otherUninstall;
        size_t runs;
    } cases[] = {
        {L"Tav Corla 11", kCodeB, 2},
        {L"Tav Larkspan 11", kCodeL, 1},  // the other product's registration
        {L"Tav Corla 11", kCodeA, 1},     // the selected registration itself
    };
    for (const Case& c : cases) {
        Machine::DeletePath(root + L"\\zap.log");
        dialog.m_mapInstances.RemoveAll();
        AddRecord(L"packedA", L"Tav Corla 11", kCodeA);
        AddRecord(L"packedOther", c.otherName, c.otherUninstall);
        dialog.m_strUninstallString = kCodeA;
        dialog.m_strSecondUninstallString = c.otherUninstall;  // as the scan leaves it
        dialog.RunMSIZap();
        std::vector<std::string> runs = ToolRuns();
        ASSERT_EQ(runs.size(), c.runs);
        EXPECT_NE(runs[0].find("{AAAAAAAA"), std::string::npos);
        if (c.runs == 2) {
            EXPECT_NE(runs[1].find("{BBBBBBBB"), std::string::npos);
        }
    }
    std::vector<std::string> log = Log();
    EXPECT_EQ(std::count(log.begin(), log.end(),
                         "TIDO: RunMSIZap: Edge scenario, two Corla are founded in ARP entries."),
              1);
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(RunMsiZap, BlankInTheTemporaryDirectoryCannotStartADecoy)
{
    UseTemp(root + L"\\My Temp");
    machine.WriteFile(root + L"\\My.exe", Machine::ReadFile(test::BuildPath(L"helpers\\decoy.exe")));
    dialog.m_strUninstallString = kCodeA;
    dialog.RunMSIZap();
    EXPECT_EQ(ToolRuns().size(), 1u);
    EXPECT_FALSE(Machine::Exists(root + L"\\My.exe.started"));
    EXPECT_TRUE(TempIsEmpty());
}

}  // namespace

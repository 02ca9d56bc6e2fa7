// Tests of the test harness itself: the machine fixture, child processes, the log reader.
#include "support/log_reader.h"
#include "support/machine.h"
#include "support/paths.h"
#include "support/process.h"

#include <gtest/gtest.h>

using test::Machine;
using test::View;

namespace {

const wchar_t kTestKey[] = L"SOFTWARE\\TidoTest\\Harness";

TEST(Machine, SeedsInOneViewOnlyAndCleansUp)
{
    {
        Machine machine;
        machine.SetString(HKEY_LOCAL_MACHINE, kTestKey, L"Name", L"32-bit only", View::k32);
        EXPECT_EQ(Machine::ReadString(HKEY_LOCAL_MACHINE, kTestKey, L"Name", View::k32),
                  L"32-bit only");
        EXPECT_FALSE(Machine::KeyExists(HKEY_LOCAL_MACHINE, kTestKey, View::k64));
        EXPECT_TRUE(Machine::KeyExists(HKEY_LOCAL_MACHINE,
                                       L"SOFTWARE\\WOW6432Node\\TidoTest\\Harness", View::k64));
    }
    EXPECT_FALSE(Machine::KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest", View::k32));
}

TEST(Machine, SeedsOddValuesAndFiles)
{
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    std::wstring directory = L"C:\\TidoTest\\Harness\\Sub";
    {
        Machine machine;
        machine.SetRaw(HKEY_LOCAL_MACHINE, kTestKey, L"Odd", REG_SZ, unterminated, 5);
        machine.SetDword(HKEY_LOCAL_MACHINE, kTestKey, L"Number", 7);
        machine.SetExpandString(HKEY_LOCAL_MACHINE, kTestKey, L"Expand", L"%TEMP%\\x");
        machine.WriteFile(directory + L"\\file.txt", "content");
        EXPECT_TRUE(Machine::ValueExists(HKEY_LOCAL_MACHINE, kTestKey, L"Odd"));
        EXPECT_EQ(Machine::ReadString(HKEY_LOCAL_MACHINE, kTestKey, L"Expand"), L"%TEMP%\\x");
        EXPECT_EQ(Machine::ReadFile(directory + L"\\file.txt"), "content");
    }
    EXPECT_FALSE(Machine::Exists(L"C:\\TidoTest"));
    EXPECT_FALSE(Machine::KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest"));
}

TEST(Machine, ImportsRegFileThroughTheChosenView)
{
    Machine machine;
    machine.ImportReg(L"harness.reg", View::k32);
    EXPECT_EQ(Machine::ReadString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest\\Imported", L"Text",
                                  View::k32),
              L"from a file");
    EXPECT_FALSE(Machine::KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest", View::k64));
}

TEST(Machine, RemovesProductLeftoversOnStart)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Gorvo\\Corla", 0, nullptr, 0,
                              KEY_WRITE | KEY_WOW64_32KEY, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    Machine machine;
    EXPECT_FALSE(Machine::KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Gorvo", View::k32));
}

TEST(Process, ReportsExitCodeAbove255)
{
    test::ProcessResult result =
        test::RunProcess(test::QuoteArgument(test::BuildPath(L"helpers\\exit_with.exe")) +
                         L" 1603");
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 1603u);
}

TEST(Process, QuotesArgumentsForCommandLineToArgv)
{
    struct Case {
        const wchar_t* argument;
        const wchar_t* quoted;
    } cases[] = {
        {L"plain", L"plain"},
        {L"", L"\"\""},
        {L"with blank", L"\"with blank\""},
        {L"C:\\dir with blank\\", L"\"C:\\dir with blank\\\\\""},
        {L"say \"hi\"", L"\"say \\\"hi\\\"\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(test::QuoteArgument(c.argument), c.quoted);
}

TEST(LogReader, StripsTheTimestamp)
{
    EXPECT_EQ(test::StripTimestamp("2024-03-05T01:05:07.7-05:00 TIDO: DoUninstall: Entering "),
              "TIDO: DoUninstall: Entering ");
    EXPECT_EQ(test::StripTimestamp("2024-12-31T11:59:59.59+05:30 TIDO: x"), "TIDO: x");
    EXPECT_EQ(test::StripTimestamp("no timestamp here"), "no timestamp here");
}

TEST(LogReader, ReadsLinesOfTheInstallerLog)
{
    Machine machine;
    machine.WriteFile(test::InstallerLogPath(),
                      "2024-03-05T01:05:07.7-05:00 TIDO: a\r\n"
                      "2024-03-05T01:05:08.8-05:00 TIDO: b: value\r\n");
    EXPECT_EQ(test::ReadLogLines(), (std::vector<std::string>{"TIDO: a", "TIDO: b: value"}));
}

}  // namespace

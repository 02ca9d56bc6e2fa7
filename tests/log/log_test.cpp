// The installer log: the line format at a fixed clock, and the file as Tido writes it.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "log/log_line.h"
#include "support/fake_system.h"
#include "support/log_reader.h"
#include "support/machine.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <thread>

namespace {

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    return time;
}

TEST(LogLine, FormatsDateTwelveHourTimeRepeatedSecondsAndZone)
{
    struct Case {
        SYSTEMTIME time;
        LONG bias;
        const wchar_t* tag;
        const wchar_t* text;
        const wchar_t* suffix;
        const wchar_t* expected;
    } cases[] = {
        {At(2024, 3, 5, 13, 5, 7), 300, L"TIDO: DoUninstall", L"Entering", L" ",
         L"2024-03-05T01:05:07.7-05:00 TIDO: DoUninstall: Entering \r\n"},
        {At(2024, 12, 31, 0, 0, 59), -330, L"TIDO", L"x", L"",
         L"2024-12-31T12:00:59.59+05:30 TIDO: x\r\n"},
        {At(2025, 1, 2, 9, 7, 4), 0, L"TIDO", L"", L"",
         L"2025-01-02T09:07:04.4-00:00 TIDO: \r\n"},
        {At(2025, 1, 2, 23, 59, 0), -60, L"T", L"ERROR: ", L"Access denied.\r\n",
         L"2025-01-02T11:59:00.0+01:00 T: ERROR: Access denied.\r\n"},
        {At(2025, 1, 2, 12, 0, 0), 210, L"T", L"a", L"\n",
         L"2025-01-02T12:00:00.0-03:30 T: a\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatLogLine(c.time, c.bias, c.tag, c.text, c.suffix), c.expected);
}

TEST(LogLine, CutsLongLinesAt1023KeepingTheLineEnd)
{
    std::wstring text(2000, L'x');
    std::wstring line = FormatLogLine(At(2024, 3, 5, 13, 5, 7), 300, L"TIDO", text, L"");
    EXPECT_EQ(line.size(), 1023u);
    EXPECT_EQ(line.substr(line.size() - 2), L"\r\n");
    EXPECT_EQ(line.find(L"\r\n"), line.size() - 2);
}

class LogFile : public ::testing::Test {
protected:
    test::Machine machine;
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
};

TEST_F(LogFile, AppendsAnsiLinesAndReplacesUnmappableCharacters)
{
    dialog.WriteLog(L"TIDO", L"caf\u00e9 \u20ac \u6f22", L" ");
    dialog.WriteLog(L"TIDO", L"second", L"");
    std::string content = test::Machine::ReadFile(test::InstallerLogPath());
    EXPECT_NE(content.find("TIDO: caf\xe9 \x80 ? \r\n"), std::string::npos);  // code page 1252
    EXPECT_EQ(test::ReadLogLines(), (std::vector<std::string>{"TIDO: caf\xe9 \x80 ? ", "TIDO: second"}));
}

TEST_F(LogFile, LarkspanSelectionMovesLaterLinesToItsOwnLog)
{
    dialog.WriteLog(L"TIDO", L"before", L"");
    dialog.m_bLarkspan = 1;
    dialog.WriteLog(L"TIDO", L"after", L"");
    EXPECT_EQ(test::ReadLogLines(false), std::vector<std::string>{"TIDO: before"});
    EXPECT_EQ(test::ReadLogLines(true), std::vector<std::string>{"TIDO: after"});
}

TEST_F(LogFile, FallsBackToTheCurrentDirectoryWithoutDocuments)
{
    system.failingFolders = {CSIDL_PERSONAL};
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    std::wstring path = std::wstring(current) + L"\\TavCorlaInstall.log";
    test::Machine::DeletePath(path);
    dialog.WriteLog(L"TIDO", L"here", L"");
    EXPECT_EQ(test::ReadLogLinesFrom(path), std::vector<std::string>{"TIDO: here"});
    test::Machine::DeletePath(path);
}

TEST_F(LogFile, TwoThreadsLoggingAtOnceKeepEveryLineWhole)
{
    const int kLines = 150;
    auto writer = [this](const wchar_t* name) {
        for (int i = 0; i < kLines; ++i)
            dialog.WriteLog(L"TIDO", name, std::to_wstring(i));
    };
    std::thread first(writer, L"first ");
    std::thread second(writer, L"second ");
    first.join();
    second.join();
    std::vector<std::string> lines = test::ReadLogLines();
    ASSERT_EQ(lines.size(), 2u * kLines);
    int firsts = 0;
    for (const std::string& line : lines) {
        ASSERT_TRUE(line.rfind("TIDO: first ", 0) == 0 || line.rfind("TIDO: second ", 0) == 0)
            << line;
        firsts += line.rfind("TIDO: first ", 0) == 0;
    }
    EXPECT_EQ(firsts, kLines);
}

TEST_F(LogFile, WaitsBrieflyForAnotherWriterToReleaseTheFile)
{
    dialog.WriteLog(L"TIDO", L"first", L"");
    // Another writer (the product's installer) holds the log without sharing for a moment.
    HANDLE held = CreateFileW(test::InstallerLogPath().c_str(), GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([held] {
        Sleep(300);
        CloseHandle(held);
    });
    dialog.WriteLog(L"TIDO", L"second", L"");
    release.join();
    EXPECT_EQ(test::ReadLogLines(), (std::vector<std::string>{"TIDO: first", "TIDO: second"}));
}

}  // namespace

// DeleteDirectory and ForceDeleteFile on real trees in the prefix.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "files/file_operations.h"
#include "support/fake_system.h"
#include "support/log_reader.h"
#include "support/machine.h"
#include "support/paths.h"
#include "support/process.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using test::Machine;
using ::testing::Contains;
using ::testing::IsSupersetOf;
using ::testing::Not;
using ::testing::UnorderedElementsAreArray;

namespace {

const std::string kTag = "TIDO: DeleteDirectory: ";

std::string Line(const std::string& text, const std::wstring& path, const char* suffix = "")
{
    return kTag + text + test::Narrow(path) + suffix;
}

class DeleteDirectoryTest : public ::testing::Test {
protected:
    Machine machine;
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
    const std::wstring root = L"C:\\TidoTest\\Tree";
};

TEST(LongPathForm, PrefixesOnlyPathsOf260CharactersOrMore)
{
    std::wstring tail(250, L'a');
    struct Case {
        std::wstring path;
        std::wstring expected;
    } cases[] = {
        {L"C:\\short.txt", L"C:\\short.txt"},
        {L"C:\\" + std::wstring(256, L'x'), L"C:\\" + std::wstring(256, L'x')},  // 259
        {L"C:\\" + std::wstring(257, L'x'), L"\\\\?\\C:\\" + std::wstring(257, L'x')},
        {L"\\\\server\\share\\" + tail, L"\\\\?\\UNC\\server\\share\\" + tail},
        {L"\\\\?\\C:\\" + tail, L"\\\\?\\C:\\" + tail},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LongPathForm(c.path), c.expected) << c.path.size();
}

TEST(FileErrorText, CodeInLowerCaseHexadecimalAndLengthBounded)
{
    EXPECT_EQ(FileErrorText(L"C:\\a", 32), L"C:\\a - 20");
    EXPECT_EQ(FileErrorText(L"C:\\a", 145), L"C:\\a - 91");
    EXPECT_EQ(FileErrorText(std::wstring(600, L'p'), 5).size(), 519u);
}

TEST_F(DeleteDirectoryTest, RemovesATreeBottomUpWithReadOnlyFilesAndATrailingBackslash)
{
    machine.WriteFile(root + L"\\a\\b\\read-only.txt", "x");
    machine.MakeDirectory(root + L"\\a\\empty");
    machine.WriteFile(root + L"\\top.txt", "x");
    ASSERT_TRUE(SetFileAttributesW((root + L"\\a\\b\\read-only.txt").c_str(),
                                   FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));

    EXPECT_TRUE(dialog.DeleteDirectory(root + L"\\", false));
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_FALSE(Machine::Exists(root));
    EXPECT_EQ(dialog.m_bFilesLeft, 0);
    std::vector<std::string> log = test::ReadLogLines();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0], Line("Deleting directory recursively: ", root + L"\\"));
    // Siblings come in the file system's order.
    log.erase(log.begin());
    EXPECT_THAT(log, UnorderedElementsAreArray({
        Line("Deleting directory recursively: ", root + L"\\a"),
        Line("Deleting directory recursively: ", root + L"\\a\\b"),
        Line("Directory deleted : ", root + L"\\a\\b"),
        Line("Deleting directory recursively: ", root + L"\\a\\empty"),
        Line("Directory deleted : ", root + L"\\a\\empty"),
        Line("Directory deleted : ", root + L"\\a"),
    }));
}

TEST_F(DeleteDirectoryTest, AFileHeldOpenStaysAndEveryDirectoryAboveItFails)
{
    std::wstring held = root + L"\\x\\y\\held.txt";
    std::wstring ready = L"C:\\TidoTest\\held.ready";
    machine.WriteFile(held, "x");
    machine.WriteFile(root + L"\\x\\other.txt", "x");
    machine.WriteFile(root + L"\\z\\f.txt", "x");
    test::ChildProcess holder(test::QuoteArgument(test::BuildPath(L"helpers\\hold_file.exe")) +
                              L" " + test::QuoteArgument(held) + L" " +
                              test::QuoteArgument(ready));
    for (int i = 0; i < 200 && !Machine::Exists(ready); ++i)
        Sleep(50);
    ASSERT_TRUE(Machine::Exists(ready));

    EXPECT_FALSE(dialog.DeleteDirectory(root, false));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_EQ(dialog.m_bFilesLeft, 1);
    EXPECT_TRUE(Machine::Exists(held));
    EXPECT_FALSE(Machine::Exists(root + L"\\x\\other.txt"));
    EXPECT_FALSE(Machine::Exists(root + L"\\z"));
    EXPECT_THAT(test::ReadLogLines(), IsSupersetOf({
        Line("Failed to delete file : ", held, " - 20"),
        Line("Failed to remove directory: ", root + L"\\x\\y", " - 91"),
        Line("Failed to remove directory: ", root + L"\\x", " - 91"),
        Line("Failed to remove directory: ", root, " - 91"),
        Line("Directory deleted : ", root + L"\\z"),
    }));
}

TEST_F(DeleteDirectoryTest, DataDirectoriesMetInsideAreKeptInAnyWrittenForm)
{
    machine.WriteFile(root + L"\\Data\\mine.txt", "x");
    machine.WriteFile(root + L"\\sub\\Shared\\ours.txt", "x");
    machine.WriteFile(root + L"\\sub\\gone.txt", "x");
    machine.WriteFile(root + L"\\other\\gone.txt", "x");
    dialog.m_strDataDir = L"c:\\tidotest\\TREE\\data\\";  // as an ini file may hold it
    dialog.m_strSharedDataDir = root + L"\\sub\\Shared";

    EXPECT_FALSE(dialog.DeleteDirectory(root, false));
    EXPECT_TRUE(Machine::Exists(root + L"\\Data\\mine.txt"));
    EXPECT_TRUE(Machine::Exists(root + L"\\sub\\Shared\\ours.txt"));
    EXPECT_FALSE(Machine::Exists(root + L"\\sub\\gone.txt"));
    EXPECT_FALSE(Machine::Exists(root + L"\\other"));
    EXPECT_EQ(dialog.m_bFilesLeft, 0);
    std::vector<std::string> log = test::ReadLogLines();
    EXPECT_THAT(log, IsSupersetOf({
        Line("Found Data Directory and skipped: ", root + L"\\Data"),
        Line("Found Shared Data Directory and skipped: ", root + L"\\sub\\Shared"),
        Line("Failed to remove directory: ", root + L"\\sub", " - 91"),
        Line("Failed to remove directory: ", root, " - 91"),
    }));
    EXPECT_THAT(log, Not(Contains(Line("Deleting directory recursively: ", root + L"\\Data"))));

    // Given as the top, the data directory itself goes.
    EXPECT_TRUE(dialog.DeleteDirectory(root + L"\\Data", false));
    EXPECT_FALSE(Machine::Exists(root + L"\\Data"));
}

TEST_F(DeleteDirectoryTest, KeepModeSparesTheIniInUseAndTheKeptShortcut)
{
    const wchar_t* kept = L"\\INSTALLSHIELD tuner for gorvo corla.lnk";
    auto seed = [&] {
        machine.WriteFile(root + L"\\Corla.ini", "x");
        machine.WriteFile(root + L"\\elsewhere\\corla.ini", "x");
        machine.WriteFile(root + kept, "x");
        machine.WriteFile(root + L"\\Other.lnk", "x");
    };
    seed();
    dialog.m_strIniPath = L"C:\\TIDOTEST\\Tree\\corla.ini";

    EXPECT_FALSE(dialog.DeleteDirectory(root, true));
    EXPECT_TRUE(Machine::Exists(root + L"\\Corla.ini"));
    EXPECT_TRUE(Machine::Exists(root + kept));
    EXPECT_FALSE(Machine::Exists(root + L"\\elsewhere"));
    EXPECT_FALSE(Machine::Exists(root + L"\\Other.lnk"));
    EXPECT_EQ(dialog.m_bFilesLeft, 0);
    EXPECT_THAT(test::ReadLogLines(), IsSupersetOf({
        Line("Found corla.ini and skipped: ", root + L"\\Corla.ini"),
        Line("Found shortcut need to keep and skipped: ", root + kept),
        Line("Failed to remove directory: ", root, " - 91"),
    }));

    // Without keep mode both go like any other file.
    seed();
    EXPECT_TRUE(dialog.DeleteDirectory(root, false));
    EXPECT_FALSE(Machine::Exists(root));
}

TEST_F(DeleteDirectoryTest, AMissingDirectoryLogsItsError)
{
    struct Case {
        std::wstring path;
        const char* code;
    } cases[] = {
        {root + L"\\missing", " - 2"},
        {root + L"\\no parent\\missing", " - 3"},
    };
    machine.MakeDirectory(root);
    for (const Case& c : cases) {
        test::ClearLogs();
        EXPECT_FALSE(dialog.DeleteDirectory(c.path, false));
        EXPECT_EQ(test::ReadLogLines(), (std::vector<std::string>{
            Line("Deleting directory recursively: ", c.path),
            Line("Failed to remove directory: ", c.path, c.code),
        }));
    }
    EXPECT_EQ(dialog.m_bFilesLeft, 0);
}

TEST_F(DeleteDirectoryTest, AProtectedTopIsRefusedWhole)
{
    std::wstring windows(MAX_PATH, L'\0');
    windows.resize(GetWindowsDirectoryW(windows.data(), MAX_PATH));
    machine.WriteFile(windows + L"\\TidoTestProbe\\f.txt", "x");
    struct Case {
        std::wstring path;
        std::string refusal;
    } cases[] = {
        {L"C:\\", "Directory refused (a drive or share root): C:\\"},
        {windows + L"\\TidoTestProbe",
         "Directory refused (the Windows directory): " + test::Narrow(windows) + "\\TidoTestProbe"},
        {L"", "Directory refused (an empty path): "},
    };
    for (const Case& c : cases) {
        test::ClearLogs();
        dialog.m_bFilesLeft = 0;
        EXPECT_FALSE(dialog.DeleteDirectory(c.path, false));
        EXPECT_EQ(dialog.m_bFilesLeft, 1);
        EXPECT_EQ(test::ReadLogLines(), (std::vector<std::string>{
            Line("Deleting directory recursively: ", c.path),
            kTag + "ERROR: " + c.refusal,
        }));
    }
    EXPECT_TRUE(Machine::Exists(windows + L"\\TidoTestProbe\\f.txt"));
}

}  // namespace

// RemoveProgramFile, RemoveDataFile and RemoveShareData on seeded product keys and trees.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "support/fake_system.h"
#include "support/log_reader.h"
#include "support/machine.h"
#include "support/paths.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using test::Machine;
using test::View;
using ::testing::IsSupersetOf;

namespace {

const wchar_t kCorlaKey[] = L"SOFTWARE\\Gorvo\\Corla";

std::string Line(const std::string& tagAndText, const std::wstring& path = L"",
                 const char* suffix = "")
{
    return tagAndText + test::Narrow(path) + suffix;
}

class FileRemoval : public ::testing::Test {
protected:
    void SeedProduct(const std::wstring& programDir, DWORD multiUser = 0)
    {
        machine.SetString(HKEY_LOCAL_MACHINE, kCorlaKey, L"Path", programDir, View::k32);
        machine.SetDword(HKEY_LOCAL_MACHINE, kCorlaKey, L"MultiUser", multiUser, View::k32);
    }

    Machine machine;
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
    const std::wstring root = L"C:\\TidoTest";
};

TEST_F(FileRemoval, ProgramFilesGoByTheSubDirectoryTableAndTheIniStays)
{
    std::wstring program = root + L"\\Prog";
    SeedProduct(program + L"\\");
    machine.WriteFile(program + L"\\framework\\rcp\\corla.ini", "x");  // goes with its folder
    machine.WriteFile(program + L"\\jvm\\bin\\java.exe", "x");
    machine.WriteFile(program + L"\\w\\f.txt", "x");
    machine.WriteFile(program + L"\\CORLA.INI", "x");
    machine.WriteFile(program + L"\\corla.exe", "x");
    machine.WriteFile(program + L"\\unlisted\\keep.txt", "x");

    dialog.RemoveProgramFile();
    EXPECT_FALSE(Machine::Exists(program + L"\\framework"));
    EXPECT_FALSE(Machine::Exists(program + L"\\jvm"));
    EXPECT_FALSE(Machine::Exists(program + L"\\w"));
    EXPECT_FALSE(Machine::Exists(program + L"\\corla.exe"));
    EXPECT_TRUE(Machine::Exists(program + L"\\CORLA.INI"));
    EXPECT_TRUE(Machine::Exists(program + L"\\unlisted\\keep.txt"));
    EXPECT_EQ(dialog.m_bFilesLeft, 0);

    std::vector<std::string> log = test::ReadLogLines();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[0], "TIDO: RemoveProgramFile: Entering");
    EXPECT_EQ(log[1], "TIDO: RemoveProgramFile: Get Corla install path: C:\\TidoTest\\Prog\\");
    EXPECT_EQ(log[2], "TIDO: DeleteDirectory: Deleting directory recursively: C:\\TidoTest\\Prog\\framework");
    EXPECT_EQ(log[log.size() - 2], "TIDO: RemoveProgramFile: Finished deleting Corla program files: C:\\TidoTest\\Prog");
    EXPECT_EQ(log.back(), "TIDO: RemoveProgramFile: Exiting");
    EXPECT_THAT(log, IsSupersetOf({
        "TIDO: DeleteDirectory: Directory deleted : C:\\TidoTest\\Prog\\jvm\\bin",
        "TIDO: RemoveProgramFile: Deleted directory: C:\\TidoTest\\Prog\\jvm",
        // A sub-directory that does not exist is still tried and reported.
        "TIDO: DeleteDirectory: Deleting directory recursively: C:\\TidoTest\\Prog\\browser",
        "TIDO: DeleteDirectory: Failed to remove directory: C:\\TidoTest\\Prog\\browser - 2",
        "TIDO: RemoveProgramFile: Deleted directory: C:\\TidoTest\\Prog\\browser",
        "TIDO: RemoveProgramFile: Found corla.ini, skipping: C:\\TidoTest\\Prog\\CORLA.INI",
    }));
}

TEST_F(FileRemoval, ProgramFilesEndEarlyWhenTheLocationIsUnknown)
{
    const std::string warning =
        "TIDO: RemoveProgramFile: WARNING: rp option is ignored as program location cannot be determined.";
    const std::string error = "TIDO: RemoveProgramFile: ERROR: Get Corla install path failed";
    struct Case {
        bool key;
        const wchar_t* path;
        BOOL wipe;
        std::vector<std::string> after;  // the lines after "Entering"
    } cases[] = {
        {false, L"", 1, {warning}},
        {false, L"", 0, {error}},
        {true, L"", 1, {warning}},
        {true, L"C:\\TidoTest\\Missing", 0,
         {"TIDO: RemoveProgramFile: Get Corla install path: C:\\TidoTest\\Missing",
          "TIDO: RemoveProgramFile: Corla program directory did not exist: C:\\TidoTest\\Missing",
          "TIDO: RemoveProgramFile: Exiting"}},
    };
    for (const Case& c : cases) {
        Machine::RemoveLeftovers();
        if (c.key)
            SeedProduct(c.path);
        app.m_bWipe = c.wipe;
        dialog.RemoveProgramFile();
        std::vector<std::string> expected = {"TIDO: RemoveProgramFile: Entering"};
        expected.insert(expected.end(), c.after.begin(), c.after.end());
        EXPECT_EQ(test::ReadLogLines(), expected);
    }
}

// A damaged "Path" naming a drive root or the Windows directory must not cost the machine the
// folders that happen to carry a name of the table, nor the files beside them.
TEST_F(FileRemoval, ProtectedProgramDirectoriesDeleteNothing)
{
    std::wstring windows(MAX_PATH, L'\0');
    windows.resize(GetWindowsDirectoryW(windows.data(), MAX_PATH));
    struct Case {
        std::wstring path;
        std::string reason;
    } cases[] = {
        {L"C:\\", "a drive or share root"},
        {windows, "the Windows directory"},
    };
    for (const Case& c : cases) {
        std::wstring base = c.path.back() == L'\\' ? c.path : c.path + L"\\";
        machine.WriteFile(base + L"xsd\\schema.xsd", "x");
        machine.WriteFile(base + L"tido-test-loose.dll", "x");
        SeedProduct(c.path);
        test::ClearLogs();
        dialog.m_bFilesLeft = 0;
        dialog.RemoveProgramFile();
        EXPECT_TRUE(Machine::Exists(base + L"xsd\\schema.xsd"));
        EXPECT_TRUE(Machine::Exists(base + L"tido-test-loose.dll"));
        EXPECT_EQ(dialog.m_bFilesLeft, 1);
        EXPECT_EQ(test::ReadLogLines(), (std::vector<std::string>{
            "TIDO: RemoveProgramFile: Entering",
            Line("TIDO: RemoveProgramFile: Get Corla install path: ", c.path),
            Line("TIDO: RemoveProgramFile: ERROR: Program directory refused (" + c.reason + "): ",
                 c.path),
        }));
    }
}

TEST_F(FileRemoval, SingleUserDataFilesWorkspaceSharedDataAndIni)
{
    SeedProduct(root + L"\\Prog", 0);
    machine.WriteFile(root + L"\\ws\\.metadata\\log", "x");
    machine.WriteFile(root + L"\\Data\\mail.db", "x");
    machine.WriteFile(root + L"\\Shared\\cache\\c.bin", "x");
    machine.WriteFile(root + L"\\Ini\\corla.ini", "x");
    SetFileAttributesW((root + L"\\Ini\\corla.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    dialog.m_strWorkspaceDir = root + L"\\ws";
    dialog.m_strDataDir = root + L"\\Data\\";
    dialog.m_strSharedDataDir = root + L"\\Shared\\";
    dialog.m_strIniPath = root + L"\\Ini\\corla.ini";

    dialog.RemoveDataFile();
    EXPECT_EQ(dialog.m_strDataDir, root + L"\\Data");
    EXPECT_EQ(dialog.m_strSharedDataDir, root + L"\\Shared");
    for (const wchar_t* gone : {L"\\ws", L"\\Data", L"\\Shared", L"\\Ini\\corla.ini"})
        EXPECT_FALSE(Machine::Exists(root + gone)) << test::Narrow(gone);
    EXPECT_EQ(dialog.m_bFilesLeft, 0);
    EXPECT_THAT(test::ReadLogLines(), IsSupersetOf({
        "TIDO: RemoveDataFile: Entering",
        "TIDO: RemoveDataFile: Directory deleted: C:\\TidoTest\\ws",
        "TIDO: RemoveDataFile: Finished delete Corla data directory and files: C:\\TidoTest\\Data",
        "TIDO: RemoveDataFile: Single User",
        "TIDO: RemoveDataFile: Finished delete Corla simulated mode shared data directory and files: C:\\TidoTest\\Shared",
        "TIDO: RemoveDataFile: File deleted: C:\\TidoTest\\Ini\\corla.ini",
    }));
}

TEST_F(FileRemoval, DataFilesGoEvenWithoutTheProductKeyAndMultiUserKeepsSharedData)
{
    machine.WriteFile(root + L"\\Data\\mail.db", "x");
    machine.WriteFile(root + L"\\Shared\\c.bin", "x");
    dialog.m_strWorkspaceDir = root + L"\\no workspace";
    dialog.m_strDataDir = root + L"\\Data";
    dialog.m_strSharedDataDir = root + L"\\Shared";
    dialog.RemoveDataFile();
    EXPECT_FALSE(Machine::Exists(root + L"\\Data"));
    std::vector<std::string> log = test::ReadLogLines();
    EXPECT_THAT(log, IsSupersetOf({
        "TIDO: RemoveDataFile: Failed to delete directory : C:\\TidoTest\\no workspace - 2",
    }));
    EXPECT_EQ(log.back(), "TIDO: RemoveDataFile: ERROR: Get Corla install path failed");

    SeedProduct(root + L"\\Prog", 1);
    dialog.m_strDataDir.clear();
    dialog.m_strWorkspaceDir.clear();
    test::ClearLogs();
    dialog.RemoveDataFile();
    EXPECT_TRUE(Machine::Exists(root + L"\\Shared\\c.bin"));
    EXPECT_EQ(test::ReadLogLines(), (std::vector<std::string>{
        "TIDO: RemoveDataFile: Entering",
        "TIDO: RemoveDataFile: NOT found Corla data directory path.",
        "TIDO: RemoveDataFile: Multi User",
    }));
}

TEST_F(FileRemoval, SharedDataAndTheMakerFoldersThatAreLeftEmpty)
{
    std::wstring common = root + L"\\Common\\";
    machine.WriteFile(common + L"Gorvo\\Corla\\Data\\users.db", "x");
    machine.WriteFile(common + L"Omb\\Corla\\other.txt", "x");
    machine.MakeDirectory(common + L"Tav");
    dialog.m_strCommonDataDir = common;
    dialog.m_strSharedDataDir = common + L"gorvo\\corla\\data\\";

    dialog.RemoveShareData();
    EXPECT_FALSE(Machine::Exists(common + L"Gorvo"));
    EXPECT_TRUE(Machine::Exists(common + L"Omb\\Corla\\other.txt"));
    EXPECT_TRUE(Machine::Exists(common + L"Tav"));
    std::vector<std::string> log = test::ReadLogLines();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(log.end() - 4, log.end()), (std::vector<std::string>{
        "TIDO: RemoveShareData: Finished delete Corla shared data directory and files: C:\\TidoTest\\Common\\gorvo\\corla\\data",
        "TIDO: RemoveShareData: Deleted the empty directory: C:\\TidoTest\\Common\\Gorvo\\Corla",
        "TIDO: RemoveShareData: Deleted the empty directory: C:\\TidoTest\\Common\\Gorvo",
        "TIDO: RemoveShareData: Failed to delete the directory: C:\\TidoTest\\Common\\Omb\\Corla",
    }));

    test::ClearLogs();
    dialog.m_strSharedDataDir.clear();
    dialog.RemoveShareData();
    EXPECT_EQ(test::ReadLogLines()[1], "TIDO: RemoveShareData: NOT found share data directory path: ");
}

}  // namespace

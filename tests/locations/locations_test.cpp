// User mode and the locations resolved for a removal, on seeded product keys and files.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "support/fake_system.h"
#include "support/log_reader.h"
#include "support/machine.h"
#include "support/paths.h"

#include <gtest/gtest.h>
#include <shlobj.h>

using test::Machine;
using test::View;

namespace {

const wchar_t kCorlaKey[] = L"SOFTWARE\\Gorvo\\Corla";
const char kEntering[] = "TIDO: GenerateDataDirectory: Entering";
const char kExiting[] = "TIDO: GenerateDataDirectory: Exiting";

class Locations : public ::testing::Test {
protected:
    void SeedProduct(const wchar_t* key, const std::wstring& programDir, DWORD multiUser)
    {
        machine.SetString(HKEY_LOCAL_MACHINE, key, L"Path", programDir, View::k32);
        machine.SetDword(HKEY_LOCAL_MACHINE, key, L"MultiUser", multiUser, View::k32);
    }
    std::vector<std::string> Log() { return test::ReadLogLines(); }

    Machine machine;
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
    const std::wstring root = L"C:\\TidoTest";
};

TEST_F(Locations, UserModeAndCoexistence)
{
    struct Case {
        bool corla, tlka, olka;
        DWORD multiUser;
        BOOL found, multi, coexist;
    } cases[] = {
        {false, false, false, 1, 0, 0, 0},
        {true, false, false, 1, 1, 1, 0},
        {true, false, true, 2, 1, 0, 1},  // only the value 1 counts as multi user here
        {false, true, true, 1, 1, 1, 0},
        {false, false, true, 0, 1, 0, 0},
    };
    for (const Case& c : cases) {
        Machine::RemoveLeftovers();
        if (c.corla) SeedProduct(kCorlaKey, L"C:\\x", c.multiUser);
        if (c.tlka) SeedProduct(L"SOFTWARE\\Tav\\TLKA", L"C:\\x", c.multiUser);
        if (c.olka) SeedProduct(L"SOFTWARE\\Omb\\OLKA", L"C:\\x", c.multiUser);
        dialog.GetUserMode();
        EXPECT_EQ(dialog.m_bProductKeyFound, c.found);
        EXPECT_EQ(dialog.m_bMultiUser, c.multi);
        EXPECT_EQ(dialog.m_bCoexist, c.coexist);
    }
    EXPECT_EQ(Log().back(), "TIDO: GetUserMode: NOT Multi user mode. Data directory could be removed.");
}

TEST_F(Locations, SingleUserFindsTheIniInTheDataDirectoryAndTheWorkspace)
{
    std::wstring program = root + L"\\Program Files\\Corla";
    SeedProduct(kCorlaKey, program + L"\\", 0);
    machine.SetString(HKEY_LOCAL_MACHINE, kCorlaKey, L"DataPath", root + L"\\Data", View::k32);
    machine.WriteFile(root + L"\\Data\\corla.ini", "[Corla]\r\nDirectory=C:\\TidoTest\\Users\\Data\r\n");
    machine.WriteFile(program + L"\\framework\\rcp\\rcplauncher.properties",
                      "a=b\r\nrcp.data=C\\:/TidoTest/work space\r\nz=1\r\n");
    dialog.GenerateDataDirectory();

    EXPECT_EQ(dialog.m_strProgramDir, L"c:\\tidotest\\program files\\corla\\");
    EXPECT_EQ(dialog.m_strSharedDataDir, root + L"\\Data");
    EXPECT_EQ(dialog.m_strIniPath, root + L"\\Data\\corla.ini");
    EXPECT_EQ(dialog.m_strDataDir, L"C:\\TidoTest\\Users\\Data");
    EXPECT_EQ(dialog.m_strWorkspaceDir, L"C:\\TidoTest\\work space");
    std::string props = "c:\\tidotest\\program files\\corla\\\\framework\\rcp\\rcplauncher.properties";
    EXPECT_EQ(Log(), (std::vector<std::string>{
        kEntering,
        "TIDO: GenerateDataDirectory: Get Corla program directory path: C:\\TidoTest\\Program Files\\Corla\\",
        "TIDO: GenerateDataDirectory: Single User",
        "TIDO: GenerateDataDirectory: Get Corla data directory path: C:\\TidoTest\\Data",
        "TIDO: GenerateDataDirectory: Get corla.ini path: C:\\TidoTest\\Data\\corla.ini",
        "TIDO: GenerateDataDirectory: Get Corla data directory path from DATADIR\\corla.ini: C:\\TidoTest\\Users\\Data",
        "TIDO: GenerateDataDirectory: RCP file existed: " + props,
        "TIDO: GenerateDataDirectory: rcp.data got: rcp.data=C\\:/TidoTest/work space",
        "TIDO: GenerateDataDirectory: rcp workspace path: C:\\TidoTest\\work space",
        kExiting}));
}

TEST_F(Locations, IniCandidatesFallBackToThePerUserKeyAndTheProgramDirectory)
{
    std::wstring program = root + L"\\Prog";
    SeedProduct(kCorlaKey, program, 0);
    dialog.m_nVersionMajor = 10;  // per-user key of the Omb generation
    machine.SetString(HKEY_CURRENT_USER, L"SOFTWARE\\Omb\\Corla\\Installer", L"DATADIR",
                      root + L"\\NoIniHere\\");
    machine.WriteFile(program + L"\\CORLA.INI", "[Corla]\r\nDirectory=D:\\Data\r\n");
    dialog.GenerateDataDirectory();
    EXPECT_EQ(dialog.m_strIniPath, L"c:\\tidotest\\prog\\corla.ini");
    EXPECT_EQ(dialog.m_strDataDir, L"D:\\Data");
    EXPECT_EQ(dialog.m_strSharedDataDir, L"");
    std::vector<std::string> log = Log();
    EXPECT_EQ(log[3], "TIDO: GenerateDataDirectory: Get Corla data directory path: C:\\TidoTest\\NoIniHere\\");
    EXPECT_EQ(log[5], "TIDO: GenerateDataDirectory: Get Corla data directory path from PROGDIR\\corla.ini: D:\\Data");
}

TEST_F(Locations, MissingIniIsAnErrorAndLarkspanReadsNoIniEntryNorProperties)
{
    SeedProduct(L"SOFTWARE\\Omb\\OLKA", root + L"\\Lark", 0);
    machine.WriteFile(root + L"\\Lark\\corla.ini", "[Corla]\r\nDirectory=D:\\Data\r\n");
    dialog.m_bLarkspan = 1;
    dialog.GenerateDataDirectory();
    EXPECT_EQ(dialog.m_strIniPath, L"c:\\tidotest\\lark\\corla.ini");
    EXPECT_EQ(dialog.m_strDataDir, L"");
    EXPECT_EQ(test::ReadLogLines(true).size(), 5u);  // no "from PROGDIR" line, no RCP lines

    Machine::DeletePath(root + L"\\Lark\\corla.ini");
    dialog.GenerateDataDirectory();
    EXPECT_EQ(test::ReadLogLines(true)[8],
              "TIDO: GenerateDataDirectory: ERROR: Failed to Get Corla DATADIR value");
}

TEST_F(Locations, MultiUserSharedDataByBrandGeneration)
{
    app.m_bRemoveSharedData = 1;
    SeedProduct(kCorlaKey, root + L"\\Prog", 2);  // any value but 0 resolves multi user here
    struct Case {
        DWORD versionMajor;
        const wchar_t* shared;
    } cases[] = {
        {0, L"c:\\tidotest\\common\\gorvo\\corla\\data"},
        {9, L"c:\\tidotest\\common\\omb\\corla\\data"},
        {10, L"c:\\tidotest\\common\\omb\\corla\\data"},
        {11, L"c:\\tidotest\\common\\tav\\corla\\data"},
    };
    machine.SetString(HKEY_LOCAL_MACHINE, kCorlaKey, L"CommonDataPath", root + L"\\Common",
                      View::k32);
    for (const Case& c : cases) {
        dialog.m_nVersionMajor = c.versionMajor;
        dialog.GenerateDataDirectory();
        EXPECT_EQ(dialog.m_strSharedDataDir, c.shared);
        EXPECT_EQ(dialog.m_strCommonDataDir, root + L"\\Common\\");
    }
}

TEST_F(Locations, MultiUserWithoutRsOrCommonDataResolvesNoSharedData)
{
    SeedProduct(kCorlaKey, root + L"\\Prog", 1);
    dialog.GenerateDataDirectory();
    EXPECT_EQ(dialog.m_strSharedDataDir, L"");
    EXPECT_EQ(Log()[2], "TIDO: GenerateDataDirectory: Multi User");

    app.m_bRemoveSharedData = 1;
    system.failingFolders = {CSIDL_COMMON_APPDATA};
    dialog.GenerateDataDirectory();
    EXPECT_EQ(dialog.m_strSharedDataDir, L"");
    EXPECT_EQ(dialog.m_strCommonDataDir, L"");
    EXPECT_NE(std::find(Log().begin(), Log().end(),
                        "TIDO: GenerateDataDirectory: ERROR: The common data location could not be determined"),
              Log().end());
}

TEST_F(Locations, LarkspanSharedDataFollowsTheTlkaKey)
{
    app.m_bRemoveSharedData = 1;
    SeedProduct(L"SOFTWARE\\Tav\\TLKA", root + L"\\Lark", 1);
    system.folderOverrides[CSIDL_COMMON_APPDATA] = L"C:\\TidoTest\\PD";
    dialog.m_bLarkspan = 1;
    dialog.GenerateDataDirectory();
    EXPECT_EQ(dialog.m_strSharedDataDir, L"c:\\tidotest\\pd\\tav\\tlka\\data");
}

TEST_F(Locations, WorkspaceEntryEndsAtAnyLineEndOrTheText)
{
    std::wstring program = root + L"\\Prog";
    SeedProduct(kCorlaKey, program, 0);
    struct Case {
        const char* properties;
        const wchar_t* workspace;
    } cases[] = {
        {"rcp.data=C\\:/TidoTest/ws\nnext=1\n", L"C:\\TidoTest\\ws"},
        {"x=1\r\nrcp.data=D:/ws/a", L"D:\\ws\\a"},
        {"RCP.DATA=C\\:/x\r\n", L""},
    };
    for (const Case& c : cases) {
        machine.WriteFile(program + L"\\framework\\rcp\\rcplauncher.properties", c.properties);
        dialog.GenerateDataDirectory();
        EXPECT_EQ(dialog.m_strWorkspaceDir, c.workspace) << c.properties;
    }
}

TEST_F(Locations, ProtectedLocationsAreRefusedAndLeftEmpty)
{
    std::wstring windows(MAX_PATH, L'\0');
    windows.resize(GetWindowsDirectoryW(windows.data(), MAX_PATH));
    struct Case {
        std::wstring path;
        std::string logged;
    } cases[] = {
        {L"C:\\", "c:\\"},
        {windows, test::Narrow(windows)},
        {test::ShellFolder(CSIDL_PROFILE), test::Narrow(test::ShellFolder(CSIDL_PROFILE))},
    };
    for (const Case& c : cases) {
        test::ClearLogs();
        SeedProduct(kCorlaKey, c.path, 0);
        machine.SetString(HKEY_LOCAL_MACHINE, kCorlaKey, L"DataPath", L"C:\\Windows\\Temp", View::k32);
        dialog.GenerateDataDirectory();
        EXPECT_EQ(dialog.m_strProgramDir, L"");
        EXPECT_EQ(dialog.m_strSharedDataDir, L"");
        std::vector<std::string> log = Log();
        std::string lowered = c.logged;
        for (char& ch : lowered) ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
        bool found = false;
        for (const std::string& line : log)
            found |= line.rfind("TIDO: GenerateDataDirectory: ERROR: Program directory refused (", 0) == 0 &&
                     line.size() >= lowered.size() &&
                     line.compare(line.size() - lowered.size(), lowered.size(), lowered) == 0;
        EXPECT_TRUE(found) << testing::PrintToString(log);
    }
}

}  // namespace

// RemoveShortcut and DeleteShortcut on shell folders redirected into C:\TidoTest (and once
// on the prefix's own folders).
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "shortcuts/name_pattern.h"
#include "support/fake_system.h"
#include "support/log_reader.h"
#include "support/machine.h"
#include "support/paths.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <shlobj.h>

using test::Machine;
using test::View;
using ::testing::Contains;
using ::testing::IsSupersetOf;
using ::testing::Not;

namespace {

const wchar_t kExplorer[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

TEST(MatchesFilePattern, WildcardsAnyCaseAndTheWholeLongName)
{
    struct Case {
        const wchar_t* name;
        const wchar_t* pattern;
        bool matches;
    } cases[] = {
        {L"Zandor Tool.lnk", L"Zandor *.lnk", true},
        {L"ZANDOR tool.LNK", L"Zandor *.lnk", true},
        {L"ZandorNoSpace.lnk", L"Zandor *.lnk", false},
        {L"Zandor Tool.lnkbak", L"Zandor *.lnk", false},  // what a short name can let through
        {L"Gorvo Corla.lnk", L"Gorvo Corla*.lnk", true},
        {L"Gorvo Corla 9.lnk.lnk", L"Gorvo Corla*.lnk", true},
        {L"Gorvo Documents.lnk", L"Gorvo Documents.lnk", true},
        {L"Gorvo Documents2.lnk", L"Gorvo Documents.lnk", false},
        {L"ab", L"a?", true},
        {L"a", L"a?", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesFilePattern(c.name, c.pattern), c.matches)
            << test::Narrow(c.name) << " / " << test::Narrow(c.pattern);
}

class Shortcuts : public ::testing::Test {
protected:
    Shortcuts()
    {
        system.folderOverrides = {
            {CSIDL_COMMON_DESKTOPDIRECTORY, root + L"\\Public Desktop"},
            {CSIDL_DESKTOPDIRECTORY, root + L"\\Desktop\\"},
            {CSIDL_COMMON_PROGRAMS, root + L"\\Common Programs\\"},
            {CSIDL_PROGRAMS, root + L"\\Programs"},
            {CSIDL_APPDATA, root + L"\\AppData"},
        };
        Machine::DeleteKeyTree(HKEY_CURRENT_USER, std::wstring(kExplorer) + L"\\Taskband",
                               View::k64);
    }
    void Seed(const std::wstring& relative) { machine.WriteFile(root + L"\\" + relative, "x"); }
    bool Exists(const std::wstring& relative) { return Machine::Exists(root + L"\\" + relative); }

    Machine machine;
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
    const std::wstring root = L"C:\\TidoTest";
};

TEST_F(Shortcuts, CorlaAndLarkspanListsInEveryFolder)
{
    const wchar_t* folders[] = {L"Public Desktop", L"Desktop", L"Common Programs", L"Programs"};
    struct Case {
        BOOL larkspan;
        std::vector<bool> zandorStays;  // per folder, in the order above
        bool corlaStays, larkspanStays;
    } cases[] = {
        {0, {false, false, true, true}, false, true},
        {1, {true, true, true, true}, true, false},
    };
    for (const Case& c : cases) {
        for (const wchar_t* folder : folders) {
            for (const wchar_t* name : {L"Zandor Tool.lnk", L"Gorvo Corla 9.lnk",
                                        L"Tav Larkspan.lnk"})
                Seed(folder + std::wstring(L"\\") + name);
        }
        dialog.m_bLarkspan = c.larkspan;
        dialog.RemoveShortcut();
        for (size_t i = 0; i < std::size(folders); ++i) {
            std::wstring folder = folders[i] + std::wstring(L"\\");
            EXPECT_EQ(Exists(folder + L"Zandor Tool.lnk"), c.zandorStays[i]) << i;
            EXPECT_EQ(Exists(folder + L"Gorvo Corla 9.lnk"), c.corlaStays) << i;
            EXPECT_EQ(Exists(folder + L"Tav Larkspan.lnk"), c.larkspanStays) << i;
        }
        EXPECT_EQ(dialog.m_bFilesLeft, 0);
    }
    // Desktops are logged and joined with their backslash, Start-menu folders without.
    EXPECT_THAT(test::ReadLogLines(true), IsSupersetOf({
        "TIDO: RemoveShortcut: Entering ",
        "TIDO: RemoveShortcut: Deleting shortcuts under directory: C:\\TidoTest\\Public Desktop\\",
        "TIDO: DeleteShortcut: Shortcut deleted: C:\\TidoTest\\Public Desktop\\\\Tav Larkspan.lnk",
        "TIDO: RemoveShortcut: Deleting shortcuts under directory: C:\\TidoTest\\Common Programs",
        "TIDO: DeleteShortcut: Shortcut deleted: C:\\TidoTest\\Common Programs\\Tav Larkspan.lnk",
        "TIDO: RemoveShortcut: Exiting ",
    }));
}

TEST_F(Shortcuts, ApplicationFoldersUnderTheirNameOnDisk)
{
    Seed(L"Programs\\GORVO applications\\Gorvo Tool.lnk");
    Seed(L"Programs\\GORVO applications\\Support\\readme.txt");
    Seed(L"Programs\\Omb Applications\\Zandor Tool.lnk");  // not in the folder list: stays
    Seed(L"Programs\\Omb Applications\\Omb Corla.url");
    Seed(L"Common Programs\\Tav Applications\\Support\\InstallShield Tuner for Gorvo Corla.lnk");
    Seed(L"Common Programs\\Tav Applications\\Support\\help.chm");

    dialog.RemoveShortcut();
    EXPECT_FALSE(Exists(L"Programs\\GORVO applications"));
    EXPECT_TRUE(Exists(L"Programs\\Omb Applications\\Zandor Tool.lnk"));
    EXPECT_FALSE(Exists(L"Programs\\Omb Applications\\Omb Corla.url"));
    EXPECT_TRUE(Exists(L"Common Programs\\Tav Applications\\Support\\InstallShield Tuner for Gorvo Corla.lnk"));
    EXPECT_FALSE(Exists(L"Common Programs\\Tav Applications\\Support\\help.chm"));
    std::vector<std::string> log = test::ReadLogLines();
    EXPECT_THAT(log, IsSupersetOf({
        "TIDO: DeleteShortcut: Shortcut deleted: C:\\TidoTest\\Programs\\GORVO applications\\Gorvo Tool.lnk",
        "TIDO: RemoveShortcut: Directory deleted: C:\\TidoTest\\Programs\\GORVO applications",
        "TIDO: DeleteDirectory: Found shortcut need to keep and skipped: "
        "C:\\TidoTest\\Common Programs\\Tav Applications\\Support\\InstallShield Tuner for Gorvo Corla.lnk",
    }));
    EXPECT_THAT(log, Not(Contains(::testing::HasSubstr("Omb Applications - "))));
}

TEST_F(Shortcuts, LarkspanBesideCorlaLeavesSupportButRemovesAnEmptyApplicationFolder)
{
    Seed(L"Programs\\Tav Applications\\Tav Larkspan.lnk");
    Seed(L"Programs\\Tav Applications\\Support\\shared.dll");
    Seed(L"Programs\\Omb Applications\\Omb Larkspan.lnk");
    dialog.m_bLarkspan = 1;
    dialog.m_bCoexist = 1;
    dialog.RemoveShortcut();
    EXPECT_TRUE(Exists(L"Programs\\Tav Applications\\Support\\shared.dll"));
    EXPECT_FALSE(Exists(L"Programs\\Tav Applications\\Tav Larkspan.lnk"));
    EXPECT_FALSE(Exists(L"Programs\\Omb Applications"));
}

TEST_F(Shortcuts, PinnedItemsAndTheExplorerValuesWithoutTaskband)
{
    const std::wstring pinned = L"AppData\\Microsoft\\Internet Explorer\\Quick Launch\\User Pinned\\";
    Seed(pinned + L"TaskBar\\Gorvo Corla.lnk");
    Seed(pinned + L"StartMenu\\Gorvo Orbalux Viewer.lnk");
    Seed(pinned + L"TaskBar\\Tav Corla.lnk");  // only the two Gorvo patterns are pinned
    std::wstring startPage = std::wstring(kExplorer) + L"\\StartPage2";
    machine.SetString(HKEY_CURRENT_USER, startPage, L"FavoritesRemovedChanges", L"1");

    dialog.RemoveShortcut();
    EXPECT_FALSE(Exists(pinned + L"TaskBar\\Gorvo Corla.lnk"));
    EXPECT_FALSE(Exists(pinned + L"StartMenu\\Gorvo Orbalux Viewer.lnk"));
    EXPECT_TRUE(Exists(pinned + L"TaskBar\\Tav Corla.lnk"));
    EXPECT_EQ(Machine::ReadString(HKEY_CURRENT_USER, startPage, L"FavoritesRemovedChanges"), L"0");
    EXPECT_FALSE(Machine::KeyExists(HKEY_CURRENT_USER, std::wstring(kExplorer) + L"\\Taskband"));
    std::vector<std::string> log = test::ReadLogLines();
    ASSERT_GE(log.size(), 3u);
    EXPECT_THAT(log, Contains("TIDO: RemoveShortcut: AppData dir: C:\\TidoTest\\AppData\\"));
    EXPECT_EQ(std::vector<std::string>(log.end() - 2, log.end()), (std::vector<std::string>{
        "TIDO: RemoveShortcut: Set value to 0: HKEY_CURRENT_USER\\Software\\Microsoft\\Windows"
        "\\CurrentVersion\\Explorer\\StartPage2\\FavoritesRemovedChanges",
        "TIDO: RemoveShortcut: Exiting ",
    }));
}

TEST_F(Shortcuts, AFailedFolderLookupAbortsTheStep)
{
    struct Case {
        int csidl;
        const char* name;
        BOOL larkspan;
    } cases[] = {
        {CSIDL_COMMON_DESKTOPDIRECTORY, "CSIDL_COMMON_DESKTOPDIRECTORY", 0},
        {CSIDL_DESKTOPDIRECTORY, "CSIDL_DESKTOPDIRECTORY", 0},
        {CSIDL_COMMON_PROGRAMS, "CSIDL_COMMON_PROGRAMS", 1},
        {CSIDL_PROGRAMS, "CSIDL_PROGRAMS", 0},
        {CSIDL_APPDATA, "CSIDL_APPDATA", 0},
    };
    std::wstring startPage = std::wstring(kExplorer) + L"\\StartPage2";
    machine.SetString(HKEY_CURRENT_USER, startPage, L"FavoritesRemovedChanges", L"1");
    system.failingFolderError = ERROR_PATH_NOT_FOUND;
    for (const Case& c : cases) {
        test::ClearLogs();
        system.failingFolders = {c.csidl};
        dialog.m_bLarkspan = c.larkspan;
        dialog.RemoveShortcut();
        std::vector<std::string> log = test::ReadLogLines(c.larkspan);
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.back(), std::string("TIDO: RemoveShortcut: ERROR: Windows has apparently lost its mind "
                                          "and does not know where ") +
                                  c.name + " is.  Aborting shortcut removal. 3");
    }
    // Nothing after an abort: the Explorer values stay as they were.
    EXPECT_EQ(Machine::ReadString(HKEY_CURRENT_USER, startPage, L"FavoritesRemovedChanges"), L"1");

    // Larkspan never looks up the application data folder.
    test::ClearLogs();
    system.failingFolders = {CSIDL_APPDATA};
    dialog.m_bLarkspan = 1;
    dialog.RemoveShortcut();
    EXPECT_EQ(test::ReadLogLines(true).back(), "TIDO: RemoveShortcut: Exiting ");
}

// Listing "*.lnk" also finds "x.lnkbak" through its short name "X~....LNK"; only the long name
// decides. Read-only shortcuts go too.
TEST_F(Shortcuts, DeleteShortcutMatchesTheLongName)
{
    Seed(L"Folder\\a.lnk");
    Seed(L"Folder\\x.lnkbak");
    SetFileAttributesW((root + L"\\Folder\\a.lnk").c_str(), FILE_ATTRIBUTE_READONLY);
    dialog.DeleteShortcut(root + L"\\Folder", L"*.lnk");
    EXPECT_FALSE(Exists(L"Folder\\a.lnk"));
    EXPECT_TRUE(Exists(L"Folder\\x.lnkbak"));
    EXPECT_EQ(test::ReadLogLines(), (std::vector<std::string>{
        "TIDO: DeleteShortcut: Shortcut deleted: C:\\TidoTest\\Folder\\a.lnk"}));
}

// The prefix's own shell folders, as Wine reports them (the desktop without a backslash).
TEST_F(Shortcuts, RealDesktopIsLoggedWithItsBackslash)
{
    test::FakeSystem real;
    CTidoApp realApp{real};
    CTidoDlg realDialog{102, &realApp};
    std::wstring desktop = test::ShellFolder(CSIDL_DESKTOPDIRECTORY);
    ASSERT_FALSE(desktop.empty());
    machine.WriteFile(desktop + L"\\Gorvo Corla Test.lnk", "x");
    realDialog.RemoveShortcut();
    EXPECT_FALSE(Machine::Exists(desktop + L"\\Gorvo Corla Test.lnk"));
    EXPECT_THAT(test::ReadLogLines(), IsSupersetOf({
        "TIDO: RemoveShortcut: Deleting shortcuts under directory: " + test::Narrow(desktop) + "\\",
        "TIDO: DeleteShortcut: Shortcut deleted: " + test::Narrow(desktop) + "\\\\Gorvo Corla Test.lnk",
    }));
}

}  // namespace

// The logging registry primitives on the real registry views, and the path-boundary rule
// they share with the later cleanup walks.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "registry/path_match.h"
#include "support/fake_system.h"
#include "support/log_reader.h"
#include "support/machine.h"

#include <gtest/gtest.h>

using test::Machine;
using test::View;

namespace {

const wchar_t kRoot[] = L"SOFTWARE\\TidoTest";
const wchar_t kValues[] = L"SOFTWARE\\TidoTest\\Values";

using Lines = std::vector<std::string>;

TEST(PathBoundary, DirectoryCountsOnlyWhenAPathEndsOrContinuesAfterIt)
{
    struct Case {
        const wchar_t* value;
        const wchar_t* directory;
        bool expected;
    } cases[] = {
        {L"c:\\apps\\corla\\bin\\x.exe", L"c:\\apps\\corla\\", true},
        {L"c:\\apps\\corla\\bin\\x.exe", L"c:\\apps\\corla", true},
        {L"\"c:\\apps\\corla\" -open", L"c:\\apps\\corla", true},
        {L"c:\\apps\\corla", L"c:\\apps\\corla", true},
        {L"c:\\apps\\corla pellow\\x.exe", L"c:\\apps\\corla", false},
        {L"c:\\apps\\corla2\\x.exe", L"c:\\apps\\corla", false},
        // A sibling first does not hide the directory further on.
        {L"c:\\apps\\corla pellow;c:\\apps\\corla\\x.exe", L"c:\\apps\\corla", true},
        {L"c:\\apps\\corla\\x.exe", L"", false},
        {L"", L"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ContainsDirectoryAtBoundary(c.value, c.directory), c.expected)
            << testing::PrintToString(std::wstring(c.value)) << " in "
            << testing::PrintToString(std::wstring(c.directory));
}

class RegistryOps : public ::testing::Test {
protected:
    Machine machine;
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
};

TEST_F(RegistryOps, RecurseTellsAMissingKeyFromAnUnopenableParentWithMechanicalNames)
{
    machine.CreateKey(HKEY_LOCAL_MACHINE, kRoot);
    dialog.DeleteRegistryRecurse(HKEY_LOCAL_MACHINE, kRoot, L"Missing", KEY_WOW64_64KEY);
    dialog.DeleteRegistryRecurse(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest\\NoParent", L"Key",
                                 KEY_WOW64_64KEY);
    dialog.DeleteRegistryRecurse(HKEY_CURRENT_USER, L"", L"TidoTestMissing", KEY_WOW64_64KEY);
    dialog.DeleteRegistryRecurse(HKEY_USERS, L"TidoTestNoUser", L"Key", KEY_WOW64_64KEY);
    EXPECT_EQ(test::ReadLogLines(),
              (Lines{
                  "TIDO: DeleteRegistryRecurse: Registry key NOT found: "
                  "HKEY_LOCAL_MACHINE\\SOFTWARE\\TidoTest\\Missing",
                  "TIDO: DeleteRegistryRecurse: Failed to open registry: "
                  "HKEY_LOCAL_MACHINE\\SOFTWARE\\TidoTest\\NoParent\\Key",
                  "TIDO: DeleteRegistryRecurse: Registry key NOT found: "
                  "HKEY_CURRENT_USER\\\\TidoTestMissing",
                  "TIDO: DeleteRegistryRecurse: Failed to open registry: "
                  "\\TidoTestNoUser\\Key",
              }));
}

TEST_F(RegistryOps, RecurseDeletesAThreeLevelTreeInTheGivenViewOnly)
{
    const struct {
        REGSAM view;
        View deleted;
        View kept;
    } cases[] = {
        {KEY_WOW64_64KEY, View::k64, View::k32},
        {KEY_WOW64_32KEY, View::k32, View::k64},
    };
    for (const auto& c : cases) {
        Machine::RemoveLeftovers();
        machine.ImportReg(L"registry_tree.reg", View::k64);
        machine.ImportReg(L"registry_tree.reg", View::k32);
        dialog.DeleteRegistryRecurse(HKEY_LOCAL_MACHINE, kRoot, L"Tree", c.view);
        EXPECT_EQ(test::ReadLogLines(),
                  (Lines{"TIDO: DeleteRegistryRecurse: Registry subvalue deleted recursively: "
                         "HKEY_LOCAL_MACHINE\\SOFTWARE\\TidoTest\\Tree"}));
        EXPECT_FALSE(Machine::KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest\\Tree", c.deleted));
        EXPECT_TRUE(Machine::KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest\\Kept", c.deleted));
        EXPECT_EQ(Machine::ReadString(HKEY_LOCAL_MACHINE,
                                      L"SOFTWARE\\TidoTest\\Tree\\Level1\\Level2\\Level3", L"Leaf",
                                      c.kept),
                  L"x");
    }
}

TEST_F(RegistryOps, CorlaKeyModeZeroDeletesTheValueAndLogsAMissingOneAsError2)
{
    machine.SetString(HKEY_LOCAL_MACHINE, kValues, L"Name", L"anything");
    machine.SetString(HKEY_LOCAL_MACHINE, kValues, L"", L"default");
    dialog.DeleteCorlaKey(HKEY_LOCAL_MACHINE, kValues, L"Name", 0, KEY_WOW64_64KEY);
    dialog.DeleteCorlaKey(HKEY_LOCAL_MACHINE, kValues, L"", 0, KEY_WOW64_64KEY);
    dialog.DeleteCorlaKey(HKEY_LOCAL_MACHINE, kValues, L"Missing", 0, KEY_WOW64_64KEY);
    dialog.DeleteCorlaKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest\\NoKey", L"Name", 0,
                          KEY_WOW64_64KEY);
    EXPECT_EQ(test::ReadLogLines(),
              (Lines{
                  "TIDO: DeleteCorlaKey: Delete registry value: "
                  "HKEY_LOCAL_MACHINE\\SOFTWARE\\TidoTest\\Values\\Name",
                  "TIDO: DeleteCorlaKey: Delete registry value: "
                  "HKEY_LOCAL_MACHINE\\SOFTWARE\\TidoTest\\Values\\",
                  "TIDO: DeleteCorlaKey: ERROR: Failed to delete registry value: "
                  "Key: HKEY_LOCAL_MACHINE\\SOFTWARE\\TidoTest\\Values\\Missing; Error: 2",
              }));
    EXPECT_FALSE(Machine::ValueExists(HKEY_LOCAL_MACHINE, kValues, L"Name"));
    EXPECT_FALSE(Machine::ValueExists(HKEY_LOCAL_MACHINE, kValues, L""));
}

// The stored type and size of a value: a blanked one is REG_SZ holding one null unit.
std::pair<DWORD, DWORD> TypeAndSize(const std::wstring& path, const std::wstring& name)
{
    HKEY key = nullptr;
    DWORD type = 0, size = 0;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) ==
        ERROR_SUCCESS) {
        RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
        RegCloseKey(key);
    }
    return {type, size};
}

TEST_F(RegistryOps, CorlaKeyModeOneBlanksValuesOfTheProductOnly)
{
    const char kBlanked[] =
        "TIDO: DeleteCorlaKey: Set value to null: HKEY_LOCAL_MACHINE\\SOFTWARE\\TidoTest\\Values";
    const char kLeft[] = "TIDO: DeleteCorlaKey: Not found corla value: "
                         "HKEY_LOCAL_MACHINE\\SOFTWARE\\TidoTest\\Values";
    struct Case {
        const wchar_t* value;  // nullptr: the value is missing
        const wchar_t* programDir;
        bool blanked;
    } cases[] = {
        {L"C:\\Apps\\CORLA\\bin\\x.exe", L"c:\\apps\\corla\\", true},   // other letter case
        {L"\"C:\\APPS\\CORLA\" -x", L"c:\\apps\\corla", true},
        {L"C:\\APPS\\CORLA PELLOW\\x.exe", L"c:\\apps\\corla", false},  // a sibling directory
        {L"D:\\Tools\\Corla.exe", L"", true},
        {L"d:\\tools\\corla.exe", L"", true},
        {L"d:\\rcp\\rcplauncher.exe", L"", true},
        {L"D:\\TOOLS\\CORLA.EXE", L"", false},  // product words are matched as written
        {L"D:\\TOOLS\\CORLA.EXE", L"c:\\apps\\corla\\", false},
        {nullptr, L"c:\\apps\\corla\\", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.value ? c.value : L"(missing)")));
        Machine::RemoveLeftovers();
        machine.CreateKey(HKEY_LOCAL_MACHINE, kValues);
        if (c.value)
            machine.SetString(HKEY_LOCAL_MACHINE, kValues, L"Command", c.value);
        dialog.m_strProgramDir = c.programDir;
        dialog.DeleteCorlaKey(HKEY_LOCAL_MACHINE, kValues, L"Command", 1, KEY_WOW64_64KEY);
        EXPECT_EQ(test::ReadLogLines(), (Lines{c.blanked ? kBlanked : kLeft}));
        if (c.blanked)
            EXPECT_EQ(TypeAndSize(kValues, L"Command"), std::make_pair(DWORD(REG_SZ), DWORD(2)));
        else if (c.value)
            EXPECT_EQ(Machine::ReadString(HKEY_LOCAL_MACHINE, kValues, L"Command"), c.value);
        else
            EXPECT_FALSE(Machine::ValueExists(HKEY_LOCAL_MACHINE, kValues, L"Command"));
    }
}

TEST_F(RegistryOps, CheckProgramPathLooksForTheProgramDirectoryOnly)
{
    const wchar_t kServices[] = L"SOFTWARE\\TidoTest\\Services";
    machine.SetString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest\\Services\\Ours", L"ImagePath",
                      L"\"C:\\Apps\\Corla\\svc.exe\" -run");
    machine.SetString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest\\Services\\Sibling", L"",
                      L"C:\\Apps\\Corla Pellow\\Corla.exe");
    dialog.m_strProgramDir = L"c:\\apps\\corla";
    EXPECT_TRUE(dialog.CheckProgramPath(HKEY_LOCAL_MACHINE, kServices, L"Ours", L"ImagePath",
                                        KEY_WOW64_64KEY));
    EXPECT_FALSE(dialog.CheckProgramPath(HKEY_LOCAL_MACHINE, kServices, L"Sibling", L"",
                                         KEY_WOW64_64KEY));
    EXPECT_FALSE(dialog.CheckProgramPath(HKEY_LOCAL_MACHINE, kServices, L"Missing", L"ImagePath",
                                         KEY_WOW64_64KEY));
    EXPECT_FALSE(dialog.CheckProgramPath(HKEY_LOCAL_MACHINE, kServices, L"Ours", L"ImagePath",
                                         KEY_WOW64_32KEY));
    EXPECT_EQ(test::ReadLogLines(),
              (Lines{
                  "TIDO: CheckProgramPath: Found program path in "
                  "HKEY_LOCAL_MACHINE\\SOFTWARE\\TidoTest\\Services\\Ours",
                  "TIDO: CheckProgramPath: No program path found in "
                  "HKEY_LOCAL_MACHINE\\SOFTWARE\\TidoTest\\Services\\Sibling",
              }));
}

}  // namespace

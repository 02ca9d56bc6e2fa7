// The product's shared-DLL entries, removed under the program path that the product key
// records, on the real registry.
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

const wchar_t kSharedDlls[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
const std::string kPrefix = "TIDO: CleanSharedDlls: ";

class CleanSharedDlls : public ::testing::Test {
protected:
    ~CleanSharedDlls() override
    {
        for (const std::wstring& name : seededEntries)
            DeleteEntry(name);
    }

    // Entries of the (shared) SharedDlls key are removed by name after the test.
    void SeedEntries(const std::vector<std::wstring>& names)
    {
        for (const std::wstring& name : names) {
            machine.SetDword(HKEY_LOCAL_MACHINE, kSharedDlls, name, 1, View::k32);
            seededEntries.push_back(name);
        }
    }
    static bool EntryExists(const std::wstring& name)
    {
        return Machine::ValueExists(HKEY_LOCAL_MACHINE, kSharedDlls, name, View::k32);
    }
    static void DeleteEntry(const std::wstring& name)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSharedDlls, 0, KEY_WRITE | KEY_WOW64_32KEY,
                          &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, name.c_str());
            RegCloseKey(key);
        }
    }
    void SeedPath(const wchar_t* productKey, const std::wstring& path)
    {
        machine.SetString(HKEY_LOCAL_MACHINE, productKey, L"Path", path, View::k32);
    }

    Machine machine;
    std::vector<std::wstring> seededEntries;
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
};

// The file names follow the recorded path directly: without its trailing backslash they are
// glued to the folder name and match nothing.
TEST_F(CleanSharedDlls, CorlaEntriesAreNamedByThePathAsRecorded)
{
    const std::wstring ngsxbe = L"C:\\TidoTest\\P\\ngsxbe.dll";
    const std::wstring msvcr = L"C:\\TidoTest\\P\\msvcr71.dll";
    const std::wstring other = L"C:\\TidoTest\\P\\other.dll";
    struct Case {
        const wchar_t* path;
        bool removed;
        const char* loggedPrefix;
    } cases[] = {
        {L"C:\\TidoTest\\P", false, "C:\\TidoTest\\P"},
        {L"C:\\TidoTest\\P\\", true, "C:\\TidoTest\\P\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.loggedPrefix);
        test::ClearLogs();
        SeedEntries({ngsxbe, msvcr, other});
        SeedPath(L"SOFTWARE\\Gorvo\\Corla", c.path);
        EXPECT_EQ(dialog.CleanSharedDlls(), 1);
        EXPECT_EQ(EntryExists(ngsxbe), !c.removed);
        EXPECT_EQ(EntryExists(msvcr), !c.removed);
        EXPECT_TRUE(EntryExists(other));
        std::string path = c.loggedPrefix;
        EXPECT_EQ(test::ReadLogLines(),
                  (Lines{kPrefix + "Entering", kPrefix + "Get Corla install path: " + path,
                         kPrefix + "Registry value deleted: " + path + "ngsxbe.dll",
                         kPrefix + "Registry value deleted: " + path + "msvcr71.dll",
                         kPrefix + "Exiting"}));
    }
}

// Larkspan's own key is TLKA when it exists, else OLKA; its installer makes one entry only.
TEST_F(CleanSharedDlls, LarkspanTriesOneNameUnderItsOwnPath)
{
    dialog.m_bLarkspan = 1;
    struct Case {
        bool tlka;
        std::wstring path;
    } cases[] = {
        {true, L"C:\\TidoTest\\TLKA\\"},
        {false, L"C:\\TidoTest\\OLKA\\"},
    };
    for (const Case& c : cases) {
        std::string path = test::Narrow(c.path);
        SCOPED_TRACE(path);
        Machine::RemoveLeftovers();
        if (c.tlka)
            SeedPath(L"SOFTWARE\\Tav\\TLKA", L"C:\\TidoTest\\TLKA\\");
        SeedPath(L"SOFTWARE\\Omb\\OLKA", L"C:\\TidoTest\\OLKA\\");
        SeedEntries({c.path + L"ngsxbe.dll", c.path + L"msvcr71.dll"});
        EXPECT_EQ(dialog.CleanSharedDlls(), 1);
        EXPECT_FALSE(EntryExists(c.path + L"ngsxbe.dll"));
        EXPECT_TRUE(EntryExists(c.path + L"msvcr71.dll"));
        EXPECT_EQ(test::ReadLogLines(true),
                  (Lines{kPrefix + "Entering", kPrefix + "Get Corla install path: " + path,
                         kPrefix + "Registry value deleted: " + path + "ngsxbe.dll",
                         kPrefix + "Exiting"}));
    }
}

TEST_F(CleanSharedDlls, WithoutTheProductKeyNothingIsTried)
{
    EXPECT_EQ(dialog.CleanSharedDlls(), 0);
    EXPECT_EQ(test::ReadLogLines(), (Lines{kPrefix + "Entering",
                                           kPrefix + "ERROR: Get Corla install path failed"}));
}

}  // namespace

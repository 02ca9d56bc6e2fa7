// Which paths may be treated as product locations, on the prefix's real folders.
#include "discovery/protected_locations.h"
#include "support/fake_system.h"
#include "support/paths.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

TEST(ProtectedLocations, RefuseRootsSystemAndUserFoldersAndTheirAncestors)
{
    test::FakeSystem system;
    std::wstring profile = test::ShellFolder(CSIDL_PROFILE);        // C:\users\<user>
    std::wstring roaming = test::ShellFolder(CSIDL_APPDATA);        // ...\AppData\Roaming
    std::wstring temp = test::TempDirectory();
    struct Case {
        std::wstring path;
        bool refused;
    } cases[] = {
        {L"", true},
        {L"Corla\\Program", true},
        {L"C:Corla", true},
        {L"\\Program Files\\Corla", true},
        {L"C:\\", true},
        {L"c:", true},
        {L"\\\\server\\share", true},
        {L"\\\\server\\share\\", true},
        {L"\\\\server\\share\\Corla", false},
        {L"C:\\Windows", true},
        {L"c:\\WINDOWS\\System32\\", true},
        {L"C:\\windows\\Corla", true},
        {L"C:\\users", true},
        {L"C:\\Users\\Public", true},
        {L"C:\\users\\Default\\", true},
        {profile, true},
        {profile + L"\\AppData", true},
        {roaming, true},
        {roaming + L"\\Tav\\Corla", false},
        {test::ShellFolder(CSIDL_DESKTOPDIRECTORY), true},
        {test::ShellFolder(CSIDL_PERSONAL) + L"\\", true},
        {test::ShellFolder(CSIDL_PERSONAL) + L"\\Corla Data", false},
        {test::ShellFolder(CSIDL_PROGRAMS), true},
        {test::ShellFolder(CSIDL_STARTMENU), true},
        {L"C:\\Program Files", true},
        {L"C:\\PROGRAM FILES (X86)\\", true},
        {L"C:\\Program Files\\Common Files", true},
        {L"C:\\Program Files (x86)\\Common Files", true},
        {L"C:\\Program Files (x86)\\Tav\\Corla\\", false},
        {L"C:\\Program Files\\Corla\\..\\..", true},
        {L"C:/Program Files (x86)/Corla/../../Windows", true},
        {L"C:\\ProgramData", true},
        {L"C:\\ProgramData\\Tav", false},
        {temp, true},
        {temp + L"\\Corla", false},
        {L"D:\\Apps\\Corla", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsProtectedLocation(c.path, system), c.refused)
            << testing::PrintToString(c.path) << ": "
            << testing::PrintToString(WhyProtectedLocation(c.path, system));
}

TEST(ProtectedLocations, ShortNamesAreMadeLongBeforeComparing)
{
    test::FakeSystem system;
    wchar_t shortName[MAX_PATH] = {};
    if (!GetShortPathNameW(L"C:\\Program Files (x86)", shortName, MAX_PATH) ||
        std::wstring(shortName) == L"C:\\Program Files (x86)")
        GTEST_SKIP() << "no 8.3 names on this file system";
    EXPECT_TRUE(IsProtectedLocation(shortName, system));
}

}  // namespace

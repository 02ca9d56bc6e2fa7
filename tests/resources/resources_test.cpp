// The resources of tido.exe that need no display: strings, manifest, version, icon.
#include "tido_resources.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

struct ExpectedString {
    UINT id;
    const wchar_t* text;
};

// By number, not by name: the numbers are what the program and its callers rely on.
const ExpectedString kStrings[] = {
    {101, L"&About TIDO..."},
    {102, L"No Corla installations detected"},
    {103, L"Version: "},
    {104, L"Date Installed: "},
    {105, L"Installed Location: "},
    {106, L"Installed from: "},
    {107, L"Local package: "},
    {108, L"Uninstall Command: "},
    {109, L"Size on disk: "},
    {110, L"Major Version: "},
    {111, L"Minor Version: "},
    {112, L"Program Location: "},
    {113, L"Data Location: "},
    {114, L"Multiuser : "},
    {115, L"Warning -- %s will be removed from the Windows Installer database.\r\n"
          L"In order for %s to work properly, you must re-install it.\r\n"
          L"Select OK to continue removing %s, Cancel to abort."},
    {116, L"Warning -- %s data directory will be deleted.\r\n"
          L"Select OK to continue deleting %s data directory, Cancel to abort."},
    {117, L"Could not remove %s because the following process is running. "
          L"Please close it first before running TIDO."},
    {118, L"TIDO is runnning as non-admin user. Please run TIDO as admin user."},
    {119, L"Please wait while TIDO removes %s. This may take a moment. "
          L"TIDO will close automatically when clean is over.\r\n"
          L"Some items will be removed after the next time you log in.\r\n\r\n\r\nStatus:"},
    {120, L"Command line parameters:\n"
          L"-h Show help.\n"
          L"-qn Silent mode. \n"
          L"-qn+ Silent mode with status dialog box at the end.\n"
          L"-qb Silent mode with progress bar.\n"
          L"-qb+ Silent mode with progress bar and status dialog box at the end.\n"
          L"-rp Remove program files.\n"
          L"-rd Remove data files.\n"
          L"-wipe Force removal of all Corla installation information.\n"
          L"-rn Remove Corla installation.\n"
          L"-ri Remove OLKA installation.\n"},
    {123, L"TIDO has successfully removed %s."},
    {124, L"TIDO has failed to remove Omb Corla. "
          L"Please check the TavCorlaInstall.log for more details. "},
    {126, L"TIDO is running in wipe mode."},
    {127, L"Corla registry entries and shortcuts can be removed."},
    {130, L"Corla registry entries, Shortcuts"},
    {134, L", Program files"},
    {135, L", Data files"},
    {136, L"WARNING: TIDO will remove "},
    {137, L".\r\nSelect OK to continue or Cancel to abort."},
    {138, L"TIDO has failed to remove Gorvo Corla. "
          L"Please check the TavCorlaInstall.log for more details. "},
    {139, L"Wipe mode will clean up Corla registry even if no Corla instance found."},
    {140, L"Warning -- MUI Pack will be deleted.\r\n"
          L"Select OK to continue deleting MUI Pack, Cancel to abort."},
    {141, L"No %s installation found."},
    {142, L"TIDO has failed to remove Tav Corla. "
          L"Please check the TavCorlaInstall.log for more details. "},
};

TEST(ResourceStrings, EveryStringLoadsWithItsExactText)
{
    UniqueLibrary tido = test::LoadTidoResources();
    ASSERT_TRUE(tido) << GetLastError();
    for (const ExpectedString& expected : kStrings) {
        SCOPED_TRACE(expected.id);
        // A buffer size of 0 hands out the text in place with its exact length, so a lost
        // trailing blank or a line break turned into "\n" shows.
        const wchar_t* text = nullptr;
        int length = LoadStringW(tido.Get(), expected.id, reinterpret_cast<LPWSTR>(&text), 0);
        ASSERT_GT(length, 0);
        EXPECT_EQ(std::wstring(text, length), expected.text);
    }
}

std::string ManifestText(HMODULE module)
{
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
    if (!found)
        return "";
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    return std::string(bytes, SizeofResource(module, found));
}

BOOL CALLBACK CountLanguages(HMODULE, LPCWSTR, LPCWSTR, WORD, LONG_PTR count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountManifests(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR count)
{
    EnumResourceLanguagesW(module, type, name, CountLanguages, count);
    return TRUE;
}

TEST(ResourceManifest, OneManifestElevatesAdministratorsAndAsksForCommonControls6)
{
    UniqueLibrary tido = test::LoadTidoResources();
    ASSERT_TRUE(tido);
    // A second manifest (a toolchain default, another language) would leave it to the loader
    // which one counts.
    int manifests = 0;
    EnumResourceNamesW(tido.Get(), RT_MANIFEST, CountManifests, reinterpret_cast<LONG_PTR>(&manifests));
    EXPECT_EQ(manifests, 1);

    std::string text = ManifestText(tido.Get());
    EXPECT_NE(text.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
        std::string::npos) << text;

    // The system's own reading of it: an activation context made from tido.exe.
    std::wstring path = test::BuildPath(L"tido.exe");
    ACTCTXW request = {};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << GetLastError();

    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION runLevel = {};
    EXPECT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext,
        &runLevel, sizeof(runLevel), nullptr)) << GetLastError();
    EXPECT_EQ(runLevel.RunLevel, ACTCTX_RUN_LEVEL_HIGHEST_AVAILABLE);
    EXPECT_EQ(runLevel.UiAccess, 0u);

    struct Setting {
        const wchar_t* nameSpace;
        const wchar_t* name;
        const wchar_t* value;
    };
    const Setting dpiSettings[] = {
        {L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", L"true"},
        {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness", L"PerMonitorV2"},
    };
    for (const Setting& setting : dpiSettings) {
        SCOPED_TRACE(setting.name);
        wchar_t value[64] = {};
        SIZE_T written = 0;
        EXPECT_TRUE(QueryActCtxSettingsW(0, context, setting.nameSpace, setting.name, value,
            ARRAYSIZE(value), &written)) << GetLastError();
        EXPECT_STREQ(value, setting.value);
    }
    ReleaseActCtx(context);
}

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name)
{
    std::wstring query = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), query.c_str(), &value, &length) || length == 0)
        return L"";
    return static_cast<const wchar_t*>(value);
}

TEST(ResourceVersion, NamesTidoVersion1)
{
    std::wstring path = test::BuildPath(L"tido.exe");
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    EXPECT_EQ(VersionString(info, L"ProductName"), L"Tido");
    EXPECT_EQ(VersionString(info, L"FileDescription"), L"Corla Installer Clean Up");
    EXPECT_EQ(VersionString(info, L"FileVersion"), L"1.0.0.0");
    EXPECT_EQ(VersionString(info, L"ProductVersion"), L"1.0.0.0");
}

#pragma pack(push, 2)
struct IconDirectoryEntry {  // an entry of an RT_GROUP_ICON resource
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInResource;
    WORD id;
};
#pragma pack(pop)

TEST(ResourceIcon, Icon128HasSmallAndLargeImages)
{
    UniqueLibrary tido = test::LoadTidoResources();
    ASSERT_TRUE(tido);
    HRSRC group = FindResourceW(tido.Get(), MAKEINTRESOURCEW(128), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(tido.Get(), group)));
    WORD count = reinterpret_cast<const WORD*>(bytes)[2];
    const IconDirectoryEntry* entries = reinterpret_cast<const IconDirectoryEntry*>(bytes + 6);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        sizes.push_back(entries[i].width);
        EXPECT_NE(FindResourceW(tido.Get(), MAKEINTRESOURCEW(entries[i].id), RT_ICON), nullptr);
    }
    EXPECT_EQ(sizes, (std::vector<int>{48, 32, 16}));
}

}  // namespace

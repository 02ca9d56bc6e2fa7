// The tool's pure decisions: product codes, command lines, which cached package is ours.
#include "zap/command_line.h"
#include "zap/product_code.h"
#include "zap/removal.h"

#include <gtest/gtest.h>

namespace {

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

TEST(ZapProductCode, PackedFormAsTheInstallerWritesIt)
{
    const struct {
        const wchar_t* code;
        const wchar_t* packed;
    } cases[] = {
        // Codes and packed forms as Wine's msiexec registered them.
        {L"{8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5C}", L"01A2C3F8D7B512E4A9C6D0E1F2A3B4C5"},
        {L"{1A2B3C4D-5E6F-4A1B-8C2D-3E4F5A6B7C8D}", L"D4C3B2A1F6E5B1A4C8D2E3F4A5B6C7D8"},
        {L"{2b3c4d5e-6f7a-4b1c-9d2e-4f5a6b7c8d9e}", L"E5D4C3B2A7F6C1B4D9E2F4A5B6C7D8E9"},
        {L"{00112233-4455-6677-8899-AABBCCDDEEFF}", L"33221100554477668899AABBCCDDEEFF"},
        {L"8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5C", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PackedGuid(c.code), c.packed) << Narrow(c.code);
}

TEST(ZapProductCode, OnlyBracedGuidsAreCodes)
{
    const struct {
        const wchar_t* text;
        bool valid;
    } cases[] = {
        {L"{8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5C}", true},
        {L"{8f3c2a10-5b7d-4e21-9a6c-0d1e2f3a4b5c}", true},
        {L"8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5C", false},     // no braces
        {L"{8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5}", false},    // a digit short
        {L"{8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5CD}", false},  // a digit over
        {L"{8F3C2A10-5B7D-4E21-9A6C0-D1E2F3A4B5C}", false},   // dash in the wrong place
        {L"{8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5G}", false},   // not hexadecimal
        {L"{8F3C2A10 5B7D-4E21-9A6C-0D1E2F3A4B5C}", false},
        {L"\"{8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5C}\"", false},
        {L"{8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5C}&", false},
        {L"{8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5C", false},
        {L"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsBracedGuid(c.text), c.valid) << Narrow(c.text);
}

TEST(ZapCommandLine, WordsAfterTheProgramKeepTheirQuotes)
{
    const std::wstring module = L"C:\\users\\John Smith\\Temp\\msizap.exe";
    const std::wstring code = L"{8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5C}";
    const struct {
        std::wstring commandLine;
        std::vector<std::wstring> words;
    } cases[] = {
        // As Tido starts it: the path unquoted, with a blank inside and one after.
        {module + L" TW " + code, {L"TW", code}},
        {L"\"" + module + L"\" TW " + code, {L"TW", code}},
        {L"C:\\USERS\\john smith\\temp\\MSIZAP.EXE TW " + code, {L"TW", code}},
        {L"msizap.exe  wt\t" + code + L" ", {L"wt", code}},
        {L"\"other dir\\msizap\" TW \"" + code + L"\"", {L"TW", L"\"" + code + L"\""}},
        {L"msizap", {}},
        {module, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ArgumentWords(c.commandLine, module), c.words) << Narrow(c.commandLine);
}

TEST(ZapCommandLine, OnlySwitchesTWAndOneCodeAreAccepted)
{
    const std::wstring code = L"{8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5C}";
    const struct {
        std::vector<std::wstring> words;
        bool accepted;
    } cases[] = {
        {{L"TW", code}, true},
        {{L"wt", code}, true},
        {{L"Tw", L"{8f3c2a10-5b7d-4e21-9a6c-0d1e2f3a4b5c}"}, true},
        {{}, false},
        {{L"TW"}, false},
        {{code}, false},
        {{L"T", code}, false},
        {{L"TT", code}, false},
        {{L"TWW", code}, false},
        {{L"/TW", code}, false},
        {{L"T", L"W", code}, false},
        {{L"TW", code, L"extra"}, false},
        {{L"TW", code, code}, false},
        {{L"TW", L"\"" + code + L"\""}, false},
        {{L"TW", code + L"&calc"}, false},
        {{L"TW", L"8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5C"}, false},
    };
    for (const auto& c : cases) {
        std::optional<std::wstring> parsed = ProductCodeFromArguments(c.words);
        EXPECT_EQ(parsed.has_value(), c.accepted)
            << Narrow(c.words.empty() ? L"(none)" : c.words.back());
        if (parsed) {
            EXPECT_EQ(*parsed, code);  // always upper case
        }
    }
}

TEST(ZapCachedPackage, OnlyAFileDirectlyInTheCacheFolder)
{
    const std::wstring cache = L"C:\\windows\\Installer";
    const struct {
        const wchar_t* localPackage;
        const wchar_t* accepted;
    } cases[] = {
        {L"C:\\windows\\Installer\\2dd4.msi", L"C:\\windows\\Installer\\2dd4.msi"},
        {L"c:\\WINDOWS\\installer\\2dd4.msi", L"c:\\WINDOWS\\installer\\2dd4.msi"},
        {L"C:/windows/Installer/2dd4.msi", L"C:\\windows\\Installer\\2dd4.msi"},
        {L"C:\\windows\\Installer\\.\\2dd4.msi", L"C:\\windows\\Installer\\2dd4.msi"},
        {L"C:\\windows\\Installer\\..\\system32\\kernel32.dll", L""},
        {L"C:\\windows\\Installer\\..\\..\\TidoTest\\keep.msi", L""},
        {L"C:\\windows\\InstallerX\\2dd4.msi", L""},
        {L"C:\\windows\\Installer", L""},
        {L"C:\\windows\\Installer\\", L""},
        {L"C:\\windows\\Installer\\{8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5C}\\icon.exe", L""},
        {L"C:\\TidoTest\\2dd4.msi", L""},
        {L"2dd4.msi", L""},
        {L"\\windows\\Installer\\2dd4.msi", L""},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CachedPackagePath(c.localPackage, cache), c.accepted) << Narrow(c.localPackage);
}

}  // namespace

#include "support/paths.h"

#include <windows.h>
#include <shlobj.h>

namespace test {

std::wstring HostToWindowsPath(const std::string& hostPath)
{
    std::wstring path = L"Z:";
    for (char c : hostPath)
        path += (c == '/') ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

std::wstring SourcePath(const std::wstring& relative)
{
    return HostToWindowsPath(TIDO_SOURCE_DIR) + L"\\" + relative;
}

std::wstring BuildPath(const std::wstring& relative)
{
    return HostToWindowsPath(TIDO_BUILD_DIR) + L"\\" + relative;
}

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text)
        narrow += (c < 128) ? static_cast<char>(c) : '?';
    return narrow;
}

static std::wstring WithoutTrailingBackslash(std::wstring path)
{
    while (path.size() > 3 && path.back() == L'\\')
        path.pop_back();
    return path;
}

std::wstring ShellFolder(int csidl)
{
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer)))
        return L"";
    return WithoutTrailingBackslash(buffer);
}

std::wstring TempDirectory()
{
    wchar_t buffer[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableW(L"TEMP", buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return L"";
    return WithoutTrailingBackslash(buffer);
}

}  // namespace test

// msizap.exe TW {product-code}: removes the Windows Installer data of one product for all
// users, so that a product whose own uninstall no longer works can be installed afresh.
#include "zap/command_line.h"
#include "zap/removal.h"

#include <windows.h>

#include <cstdio>

namespace {

std::wstring ModulePath()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return (length == 0 || length >= MAX_PATH) ? L"" : std::wstring(path, length);
}

}  // namespace

int wmain()
{
    std::optional<std::wstring> productCode =
        ProductCodeFromArguments(ArgumentWords(GetCommandLineW(), ModulePath()));
    if (!productCode) {
        fputws(usageLine, stderr);
        return ERROR_INVALID_PARAMETER;
    }
    return static_cast<int>(RemoveInstallerData(*productCode));
}

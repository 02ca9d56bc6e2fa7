#pragma once
#include <string>

// The product code the installer-data tool is run for: the uninstall string from its last
// "{" on, or the whole string when it has none.
std::wstring ProductCodeOf(const std::wstring& uninstallString);

// The tool's command line: the tool path in double quotes, so that a blank in the path can
// never make Windows start another program along it, then "TW " and the product code.
std::wstring MsiZapCommandLine(const std::wstring& toolPath, const std::wstring& uninstallString);

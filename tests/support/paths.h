#pragma once
#include <string>

namespace test {

// The Windows form of a host path as Wine maps it (drive Z: is the host's root).
std::wstring HostToWindowsPath(const std::string& hostPath);

// Paths of the source tree and of the build tree, in Windows form.
std::wstring SourcePath(const std::wstring& relative);  // e.g. L"tests\\data\\x.reg"
std::wstring BuildPath(const std::wstring& relative);   // e.g. L"tido.exe"

// ASCII text of a wide string (other characters become '?'), for messages and comparisons.
std::string Narrow(const std::wstring& text);

// Shell folders and the temporary directory of this prefix, without a trailing backslash.
std::wstring ShellFolder(int csidl);
std::wstring TempDirectory();

}  // namespace test

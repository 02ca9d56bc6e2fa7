#pragma once
#include <string>

// printf-style formatting into a std::wstring ("%s" takes a const wchar_t*, as swprintf
// does on Windows).
std::wstring Format(const wchar_t* format, ...);

// Lower case through the system's rules (CharLowerBuffW).
std::wstring ToLower(std::wstring text);

bool StartsWith(const std::wstring& text, const std::wstring& prefix);
bool EndsWith(const std::wstring& text, const std::wstring& suffix);
bool EqualsNoCase(const std::wstring& a, const std::wstring& b);
// Adds a trailing backslash when the path has none (an empty path stays empty).
std::wstring WithTrailingBackslash(std::wstring path);

#pragma once
#include <optional>
#include <string>
#include <vector>

// The words after the program's name, split at blanks and tabs and kept exactly as written:
// quotes stay in, so a quoted or decorated product code is refused rather than silently
// unwrapped. modulePath is the program's own path: a launcher that passes that path unquoted,
// blanks and all, still gets its words understood.
std::vector<std::wstring> ArgumentWords(const std::wstring& commandLine,
                                        const std::wstring& modulePath);

// The product code of "TW {product-code}" (switch letters in either order and case), in upper
// case; nothing for any other command line.
std::optional<std::wstring> ProductCodeFromArguments(const std::vector<std::wstring>& words);

// What a refused command line prints.
extern const wchar_t usageLine[];

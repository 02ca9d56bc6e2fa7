#include "zap/command_line.h"

#include "zap/product_code.h"

#include <windows.h>

#include <cwctype>

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix)
{
    return !prefix.empty() && text.size() >= prefix.size() &&
           CompareStringOrdinal(text.c_str(), static_cast<int>(prefix.size()), prefix.c_str(),
                                static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

// Where the program's name ends: after the module path when the line starts with it (quoted
// or not), otherwise by the usual rule (up to the closing quote, or to the first blank).
size_t ProgramNameLength(const std::wstring& commandLine, const std::wstring& modulePath)
{
    const std::wstring quotedPath = L"\"" + modulePath + L"\"";
    if (StartsWithNoCase(commandLine, quotedPath))
        return quotedPath.size();
    if (StartsWithNoCase(commandLine, modulePath) &&
        (commandLine.size() == modulePath.size() || IsBlank(commandLine[modulePath.size()])))
        return modulePath.size();
    if (!commandLine.empty() && commandLine[0] == L'"') {
        size_t closing = commandLine.find(L'"', 1);
        return closing == std::wstring::npos ? commandLine.size() : closing + 1;
    }
    size_t blank = commandLine.find_first_of(L" \t");
    return blank == std::wstring::npos ? commandLine.size() : blank;
}

bool IsSwitchWord(const std::wstring& word)
{
    if (word.size() != 2)
        return false;
    wchar_t first = static_cast<wchar_t>(towupper(word[0]));
    wchar_t second = static_cast<wchar_t>(towupper(word[1]));
    return (first == L'T' && second == L'W') || (first == L'W' && second == L'T');
}

}  // namespace

const wchar_t usageLine[] = L"usage: msizap TW {product-code}\n";

std::vector<std::wstring> ArgumentWords(const std::wstring& commandLine,
                                        const std::wstring& modulePath)
{
    std::vector<std::wstring> words;
    std::wstring word;
    for (size_t i = ProgramNameLength(commandLine, modulePath); i <= commandLine.size(); ++i) {
        if (i == commandLine.size() || IsBlank(commandLine[i])) {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += commandLine[i];
        }
    }
    return words;
}

std::optional<std::wstring> ProductCodeFromArguments(const std::vector<std::wstring>& words)
{
    if (words.size() != 2 || !IsSwitchWord(words[0]) || !IsBracedGuid(words[1]))
        return std::nullopt;
    std::wstring code = words[1];
    for (wchar_t& c : code)
        c = static_cast<wchar_t>(towupper(c));
    return code;
}

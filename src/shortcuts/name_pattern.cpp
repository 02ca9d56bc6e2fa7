#include "shortcuts/name_pattern.h"

#include "platform/strings.h"

bool MatchesFilePattern(const std::wstring& name, const std::wstring& pattern)
{
    const std::wstring text = ToLower(name);
    const std::wstring wanted = ToLower(pattern);
    size_t t = 0, p = 0;
    size_t starPattern = std::wstring::npos, starText = 0;  // where the last "*" may grow
    while (t < text.size()) {
        if (p < wanted.size() && (wanted[p] == L'?' || wanted[p] == text[t])) {
            ++t;
            ++p;
        } else if (p < wanted.size() && wanted[p] == L'*') {
            starPattern = p++;
            starText = t;
        } else if (starPattern != std::wstring::npos) {
            p = starPattern + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < wanted.size() && wanted[p] == L'*')
        ++p;
    return p == wanted.size();
}

#include "zap/product_code.h"

namespace {

const size_t groupLengths[] = {8, 4, 4, 4, 12};

bool IsHexDigit(wchar_t c)
{
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

wchar_t Upper(wchar_t c)
{
    return (c >= L'a' && c <= L'f') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

}  // namespace

bool IsBracedGuid(const std::wstring& text)
{
    if (text.size() != 38 || text.front() != L'{' || text.back() != L'}')
        return false;
    size_t position = 1;
    for (size_t group = 0; group < 5; ++group) {
        if (group > 0 && text[position++] != L'-')
            return false;
        for (size_t i = 0; i < groupLengths[group]; ++i) {
            if (!IsHexDigit(text[position++]))
                return false;
        }
    }
    return position == 37;
}

std::wstring PackedGuid(const std::wstring& bracedGuid)
{
    if (!IsBracedGuid(bracedGuid))
        return L"";
    std::wstring packed;
    size_t position = 1;
    for (size_t group = 0; group < 5; ++group) {
        std::wstring digits = bracedGuid.substr(position, groupLengths[group]);
        position += groupLengths[group] + 1;
        if (group < 3) {
            packed.append(digits.rbegin(), digits.rend());
            continue;
        }
        for (size_t i = 0; i < digits.size(); i += 2) {
            packed += digits[i + 1];
            packed += digits[i];
        }
    }
    for (wchar_t& c : packed)
        c = Upper(c);
    return packed;
}

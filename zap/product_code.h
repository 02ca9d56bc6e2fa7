#pragma once
#include <string>

// "{8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5C}": braces, 8-4-4-4-12 hexadecimal digits, nothing else.
bool IsBracedGuid(const std::wstring& text);

// The installer's packed form of a braced GUID, the name of its registry keys and values:
// the first three groups reversed, each pair of digits in the last two groups swapped, in upper
// case ("01A2C3F8D7B512E4A9C6D0E1F2A3B4C5" for the code above). Empty for anything else.
std::wstring PackedGuid(const std::wstring& bracedGuid);

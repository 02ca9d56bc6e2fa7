#pragma once
#include <string>

// True when the directory occurs in the value at a path boundary: followed by a backslash,
// a double quote or the end of the value (a directory that already ends with a backslash
// counts wherever it occurs). Both arguments are expected in lower case; an empty directory
// never matches, so nothing is taken for the product before its directory is known.
// "c:\apps\corla" is in "c:\apps\corla\x.exe" and "\"c:\apps\corla\" -a", but not in
// "c:\apps\corla pellow\x.exe".
bool ContainsDirectoryAtBoundary(const std::wstring& lowerValue,
                                 const std::wstring& lowerDirectory);

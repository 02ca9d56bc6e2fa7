#pragma once
#include "platform/system.h"

#include <string>

// Whether a path may be treated as a product location, that is, a directory whose whole
// tree may be deleted or whose registry references may be removed. Registry values and ini
// entries can be damaged or hostile: a "Path" of "C:\" must never make Tido delete a drive.
//
// Refused: an empty or relative path; a drive or share root; the Windows directory and
// anything inside it; the users root and every profile directly under it; the user's
// Desktop, Documents, AppData (Local, Roaming), Start menu and its programs; both Program
// Files and both Common Files directories; the common application data folder; the
// temporary directory; and every ancestor of any of these. Paths below them are accepted.
// Returns an empty text when the path is accepted, else why it is refused.
std::wstring WhyProtectedLocation(const std::wstring& path, System& system);

inline bool IsProtectedLocation(const std::wstring& path, System& system)
{
    return !WhyProtectedLocation(path, system).empty();
}

// The path made absolute and canonical for comparison: "." and ".." resolved, "/" turned
// into "\", short names made long where the path exists, no trailing backslash, lower case.
std::wstring CanonicalPathForComparison(const std::wstring& path);

#pragma once
#include <string>

// Whether a file name matches a pattern of "*" (any run of characters) and "?" (one
// character), ignoring letter case. FindFirstFileW also matches a pattern against the 8.3
// short name, so "*.lnk" can list "x.lnkbak" through "X~1.LNK"; each name it lists is checked
// again here against its long name.
bool MatchesFilePattern(const std::wstring& name, const std::wstring& pattern);

#pragma once
#include <string>
#include <vector>

namespace test {

// The installer log as a test states it: each line without its timestamp, e.g.
// "TIDO: DoUninstall: Entering " for "2024-03-05T01:05:07.7-05:00 TIDO: DoUninstall: Entering ".
std::wstring InstallerLogPath(bool larkspan = false);
std::vector<std::string> ReadLogLines(bool larkspan = false);
std::vector<std::string> ReadLogLinesFrom(const std::wstring& path);

// The line without a leading timestamp; a line without one is returned unchanged.
std::string StripTimestamp(const std::string& line);
bool HasTimestamp(const std::string& line);

// Empties both installer logs.
void ClearLogs();

}  // namespace test

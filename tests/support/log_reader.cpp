#include "support/log_reader.h"

#include "support/machine.h"
#include "support/paths.h"

#include <shlobj.h>

#include <regex>

namespace test {

std::wstring InstallerLogPath(bool larkspan)
{
    return ShellFolder(CSIDL_PERSONAL) +
           (larkspan ? L"\\TavCorlaTLKAInstall.log" : L"\\TavCorlaInstall.log");
}

static const std::regex& TimestampPattern()
{
    // date "T" 12-hour time with the repeated seconds, then the zone offset and one blank
    static const std::regex pattern(
        R"(^\d{4}-\d{2}-\d{2}T\d{2}:\d{2}:\d{2}\.\d{1,2}[+-]\d{2}:\d{2} )");
    return pattern;
}

bool HasTimestamp(const std::string& line)
{
    return std::regex_search(line, TimestampPattern());
}

std::string StripTimestamp(const std::string& line)
{
    std::smatch match;
    if (std::regex_search(line, match, TimestampPattern()))
        return line.substr(match.length(0));
    return line;
}

std::vector<std::string> ReadLogLinesFrom(const std::wstring& path)
{
    std::string content = Machine::ReadFile(path);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find("\r\n", start);
        if (end == std::string::npos)
            end = content.size();
        lines.push_back(StripTimestamp(content.substr(start, end - start)));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> ReadLogLines(bool larkspan)
{
    return ReadLogLinesFrom(InstallerLogPath(larkspan));
}

void ClearLogs()
{
    Machine::DeletePath(InstallerLogPath(false));
    Machine::DeletePath(InstallerLogPath(true));
}

}  // namespace test

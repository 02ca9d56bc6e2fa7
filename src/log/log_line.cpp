#include "log/log_line.h"

#include "platform/strings.h"

#include <cstdlib>

std::wstring ZoneOffsetText(LONG bias)
{
    LONG minutes = std::labs(bias);
    return Format(L"%c%02ld:%02ld", bias >= 0 ? L'-' : L'+', minutes / 60, minutes % 60);
}

static std::wstring FormatDate(const SYSTEMTIME& time)
{
    wchar_t buffer[32] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, 0, &time, L"yyyy'-'MM'-'dd", buffer, 32);
    return buffer;
}

static std::wstring FormatTime(const SYSTEMTIME& time)
{
    wchar_t buffer[16] = {};
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, L"hh':'mm':'ss'.'s", buffer, 16);
    return buffer;
}

std::wstring FormatLogLine(const SYSTEMTIME& localTime, LONG bias, const std::wstring& tag,
                           const std::wstring& text, const std::wstring& suffix)
{
    std::wstring line = FormatDate(localTime) + L"T" + FormatTime(localTime) +
                        ZoneOffsetText(bias) + L" " + tag + L": " + text + suffix;
    bool endsItself = !suffix.empty() && suffix.back() == L'\n';
    std::wstring lineEnd = endsItself ? L"" : L"\r\n";
    if (line.size() + lineEnd.size() > kMaxLogLineLength) {
        line.resize(kMaxLogLineLength - 2);
        lineEnd = L"\r\n";
    }
    return line + lineEnd;
}

const wchar_t* LogFileName(bool larkspan)
{
    return larkspan ? L"TavCorlaTLKAInstall.log" : L"TavCorlaInstall.log";
}

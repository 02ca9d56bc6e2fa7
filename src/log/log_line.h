#pragma once
#include <windows.h>

#include <string>

// The longest line written, line end included.
constexpr size_t kMaxLogLineLength = 1023;

// The zone offset of a log line for a standard bias in minutes (UTC = local + bias):
// 300 gives "-05:00", 0 gives "-00:00", -330 gives "+05:30".
std::wstring ZoneOffsetText(LONG bias);

// One line of the installer log, line end included, for a local time and zone bias:
// "2024-03-05T01:05:07.7-05:00 TAG: TEXTSUFFIX\r\n". No line end is added when the suffix
// already ends with a line feed. A line longer than kMaxLogLineLength is cut, keeping its
// line end so that the next line still starts on a line of its own.
std::wstring FormatLogLine(const SYSTEMTIME& localTime, LONG bias, const std::wstring& tag,
                           const std::wstring& text, const std::wstring& suffix);

// The file name of the log: the Larkspan installer has a log of its own.
const wchar_t* LogFileName(bool larkspan);

#include "dialog/tido_dlg.h"
#include "log/log_line.h"
#include "platform/strings.h"

#include <shlobj.h>

#include <mutex>
#include <string>

namespace {

// Lines of this process never collide: one writer at a time.
std::mutex logMutex;

// The product's installer writes the same log; while it holds the file, the open is retried
// for a short, bounded time before the line is dropped.
constexpr int kOpenAttempts = 40;
constexpr DWORD kOpenRetryMs = 25;

std::wstring LogFilePath(System& system, bool larkspan)
{
    std::wstring directory;
    if (!system.SpecialFolderPath(CSIDL_PERSONAL, directory))
        directory.clear();  // the bare name: the current directory
    return WithTrailingBackslash(directory) + LogFileName(larkspan);
}

UniqueFileHandle OpenLogFile(const std::wstring& path)
{
    for (int attempt = 0;; ++attempt) {
        UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD error = GetLastError();
        bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
        if (file || !held || attempt + 1 >= kOpenAttempts)
            return file;
        ::Sleep(kOpenRetryMs);
    }
}

std::string ToAnsi(const std::wstring& text)
{
    if (text.empty())
        return {};
    int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                   nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                        size, nullptr, nullptr);
    return bytes;
}

}  // namespace

void CTidoDlg::WriteLog(const std::wstring& tag, const std::wstring& text,
                        const std::wstring& suffix)
{
    TIME_ZONE_INFORMATION zone = {};
    GetTimeZoneInformation(&zone);
    SYSTEMTIME now;
    GetLocalTime(&now);  // one reading for date and time: a line never straddles midnight
    std::string bytes = ToAnsi(FormatLogLine(now, zone.Bias, tag, text, suffix));

    std::lock_guard<std::mutex> lock(logMutex);
    std::wstring path = LogFilePath(GetSystem(), m_bLarkspan != 0);
    if (path.size() >= MAX_PATH)
        return;
    UniqueFileHandle file = OpenLogFile(path);
    if (!file)
        return;
    SetFilePointer(file.Get(), 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

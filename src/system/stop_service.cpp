// Stopping and deleting one service through the Service Control Manager.
#include "dialog/tido_dlg.h"

#include "platform/strings.h"
#include "platform/unique_handle.h"
#include "system/service_doors.h"

namespace {

const wchar_t kTag[] = L"TIDO: StopService";
constexpr DWORD kPollIntervalMs = 5000;
constexpr size_t kErrorTextLength = 258;  // 259 with the terminator
constexpr DWORD kSystemTextLength = 520;

void LogError(CTidoDlg& dialog, const wchar_t* format, DWORD error)
{
    dialog.WriteLog(kTag, Format(format, static_cast<long>(error)).substr(0, kErrorTextLength),
                    L"");
}

// A failed query leaves the status as it was.
bool QueryStatus(SC_HANDLE service, SERVICE_STATUS_PROCESS& status)
{
    SERVICE_STATUS_PROCESS latest = {};
    DWORD needed = 0;
    if (!QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&latest),
                              sizeof(latest), &needed))
        return false;
    status = latest;
    return true;
}

// Returns the stop code: 0 when the service took the request, else the error.
DWORD RequestStop(CTidoDlg& dialog, SC_HANDLE service, const std::wstring& serviceName)
{
    DWORD stopCode = RequestServiceStop(service);
    if (stopCode == ERROR_SUCCESS)
        dialog.WriteLog(kTag, L"Stop service successful: ", serviceName);
    else
        LogError(dialog, L"Failed to stop service : %ld", stopCode);
    return stopCode;
}

// Polls for as long as the service reports a pending stop and keeps advancing its checkpoint;
// gives up once it has made no progress for longer than its latest wait hint. A service that
// has left the pending state is done: a stopped one reports checkpoint and wait hint 0, which
// must not read as a stall. The tick difference is taken unsigned, so the counter's
// wrap-around does no harm.
void WaitForStop(CTidoDlg& dialog, SC_HANDLE service, SERVICE_STATUS_PROCESS& status)
{
    System& system = dialog.GetSystem();
    DWORD progressTick = system.TickCount();
    DWORD checkpoint = status.dwCheckPoint;
    while (status.dwCurrentState == SERVICE_STOP_PENDING) {
        system.Sleep(kPollIntervalMs);
        QueryStatus(service, status);
        if (status.dwCurrentState != SERVICE_STOP_PENDING)
            return;
        if (status.dwCheckPoint > checkpoint) {
            progressTick = system.TickCount();
            checkpoint = status.dwCheckPoint;
        } else if (system.TickCount() - progressTick > status.dwWaitHint) {
            dialog.WriteLog(kTag, L"Service is stopping but taking a really long time about it.",
                            L"");
            return;
        }
    }
}

// Returns the outcome: the stop code when the deletion succeeds, else the deletion's error.
DWORD DeleteAfterStop(CTidoDlg& dialog, SC_HANDLE service, const std::wstring& serviceName,
                      DWORD stopCode)
{
    DWORD deleteError = DeleteServiceEntry(service);
    if (deleteError != ERROR_SUCCESS) {
        LogError(dialog, L"Failed to delete service : %ld", deleteError);
        return deleteError;
    }
    dialog.WriteLog(kTag, L"Delete service successful: ", serviceName);
    return stopCode;
}

// The system's text ends with its own line end, so it goes in the suffix and closes the line.
// Inserts are ignored: no arguments exist to fill them.
void LogSystemText(CTidoDlg& dialog, DWORD code)
{
    wchar_t text[kSystemTextLength];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, LANG_USER_DEFAULT, text, kSystemTextLength,
                                  nullptr);
    if (length == 0)
        dialog.WriteLog(kTag, L"Error occured, but can't get error message", L"");
    else
        dialog.WriteLog(kTag, L"", std::wstring(text, length));
}

}  // namespace

DWORD CTidoDlg::StopService(const std::wstring& serviceName)
{
    WriteLog(kTag, L"Stopping and deleting service: ", serviceName);
    UniqueScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) {
        DWORD error = GetLastError();
        LogError(*this, L"Failed to open service manager: %ld", error);
        return error;
    }
    UniqueScHandle service(OpenServiceW(manager.Get(), serviceName.c_str(), SERVICE_ALL_ACCESS));
    if (!service) {
        DWORD error = GetLastError();
        if (error == ERROR_SERVICE_DOES_NOT_EXIST)
            WriteLog(kTag, L"Service does not exist.", L"");
        else
            LogError(*this, L"Failed to open service: %ld", error);
        return error;
    }
    DWORD stopCode = RequestStop(*this, service.Get(), serviceName);
    SERVICE_STATUS_PROCESS status = {};
    if (!QueryStatus(service.Get(), status)) {
        DWORD error = GetLastError();
        LogError(*this, L"Failed to query service status: %ld", error);
        return error;
    }
    if (status.dwCurrentState == SERVICE_STOPPED || status.dwCurrentState == SERVICE_STOP_PENDING)
        WaitForStop(*this, service.Get(), status);
    DWORD outcome = DeleteAfterStop(*this, service.Get(), serviceName, stopCode);
    service.Reset();
    manager.Reset();
    if (outcome != ERROR_SUCCESS)
        LogSystemText(*this, outcome);
    WriteLog(kTag, L"Exiting", L"");
    return outcome;
}

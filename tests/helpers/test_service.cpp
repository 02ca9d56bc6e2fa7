// test_service.exe MODE: a Windows service (own process) whose answer to a stop request is
// chosen by MODE, so that tests can stop and delete real services:
//   stop     stops at once
//   pending  reports SERVICE_STOP_PENDING with a checkpoint that advances every 10 ms and a
//            wait hint of 30 s, then stops after 3 s
//   stuck    stays SERVICE_STOP_PENDING with a constant checkpoint and a wait hint of 1 s
//   refuse   does not accept the stop control and keeps running
// In every mode the service stops at once when the event "TidoTestServiceQuit" is set: a
// pending or refusing service accepts no further control, and tests must clean up.
#include <windows.h>

#include <cwchar>
#include <mutex>

namespace {

enum class Mode { kStop, kPending, kStuck, kRefuse };

constexpr DWORD kPendingHintMs = 30000;
constexpr DWORD kStuckHintMs = 1000;
constexpr DWORD kCheckpointTickMs = 10;
// Long enough in real time that the test polls many times even on a loaded machine.
constexpr DWORD kPendingMs = 3000;

Mode mode = Mode::kStop;
SERVICE_STATUS_HANDLE statusHandle = nullptr;
SERVICE_STATUS status = {};
std::mutex statusMutex;
HANDLE stopRequested = nullptr;
HANDLE quit = nullptr;

void Report(DWORD state, DWORD checkpoint = 0, DWORD waitHint = 0)
{
    std::lock_guard<std::mutex> lock(statusMutex);
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted =
        state == SERVICE_RUNNING && mode != Mode::kRefuse ? SERVICE_ACCEPT_STOP : 0;
    status.dwWin32ExitCode = NO_ERROR;
    status.dwCheckPoint = checkpoint;
    status.dwWaitHint = waitHint;
    SetServiceStatus(statusHandle, &status);
}

// The first answer is given before the control returns, so the caller's first status query
// already sees it.
DWORD WINAPI Handler(DWORD control, DWORD, void*, void*)
{
    if (control == SERVICE_CONTROL_INTERROGATE)
        return NO_ERROR;
    if (control != SERVICE_CONTROL_STOP)
        return ERROR_CALL_NOT_IMPLEMENTED;
    if (mode == Mode::kStop)
        Report(SERVICE_STOPPED);
    else
        Report(SERVICE_STOP_PENDING, 1, mode == Mode::kPending ? kPendingHintMs : kStuckHintMs);
    SetEvent(stopRequested);
    return NO_ERROR;
}

void RunPendingStop()
{
    DWORD start = GetTickCount();
    for (DWORD checkpoint = 2; GetTickCount() - start < kPendingMs; ++checkpoint) {
        if (WaitForSingleObject(quit, kCheckpointTickMs) == WAIT_OBJECT_0)
            break;
        Report(SERVICE_STOP_PENDING, checkpoint, kPendingHintMs);
    }
}

void WINAPI ServiceMain(DWORD, wchar_t** argv)
{
    statusHandle = RegisterServiceCtrlHandlerExW(argv[0], Handler, nullptr);
    if (!statusHandle)
        return;
    Report(SERVICE_RUNNING);
    HANDLE events[] = {stopRequested, quit};
    DWORD which = WaitForMultipleObjects(2, events, FALSE, INFINITE);
    if (which == WAIT_OBJECT_0 && mode == Mode::kPending)
        RunPendingStop();
    else if (which == WAIT_OBJECT_0 && mode == Mode::kStuck)
        WaitForSingleObject(quit, INFINITE);
    Report(SERVICE_STOPPED);
}

bool ParseMode(const wchar_t* text)
{
    const struct { const wchar_t* name; Mode mode; } modes[] = {
        {L"stop", Mode::kStop},
        {L"pending", Mode::kPending},
        {L"stuck", Mode::kStuck},
        {L"refuse", Mode::kRefuse},
    };
    for (const auto& entry : modes) {
        if (std::wcscmp(entry.name, text) == 0) {
            mode = entry.mode;
            return true;
        }
    }
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2 || !ParseMode(argv[1]))
        return 2;
    stopRequested = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    quit = CreateEventW(nullptr, TRUE, FALSE, L"TidoTestServiceQuit");
    wchar_t name[] = L"";  // an own-process service: the dispatcher ignores the name
    SERVICE_TABLE_ENTRYW table[] = {{name, ServiceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherW(table) ? 0 : 3;
}

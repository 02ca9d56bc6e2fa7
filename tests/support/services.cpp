#include "support/services.h"

#include "platform/unique_handle.h"
#include "support/paths.h"
#include "support/process.h"

namespace test {
namespace {

constexpr wchar_t kQuitEvent[] = L"TidoTestServiceQuit";
constexpr DWORD kWaitLimitMs = 10000;
constexpr DWORD kWaitStepMs = 20;

UniqueScHandle OpenManager()
{
    return UniqueScHandle(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
}

UniqueScHandle OpenService(SC_HANDLE manager, const std::wstring& name)
{
    return UniqueScHandle(OpenServiceW(manager, name.c_str(), SERVICE_ALL_ACCESS));
}

bool QueryStatus(SC_HANDLE service, SERVICE_STATUS_PROCESS& status)
{
    DWORD needed = 0;
    return QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status),
                                sizeof(status), &needed) != 0;
}

// Polls until the condition holds or the limit passes.
template <typename Condition>
bool WaitFor(Condition condition)
{
    for (DWORD waited = 0; waited < kWaitLimitMs; waited += kWaitStepMs) {
        if (condition())
            return true;
        Sleep(kWaitStepMs);
    }
    return condition();
}

}  // namespace

bool InstallTestService(const std::wstring& name, const std::wstring& mode)
{
    UniqueScHandle manager = OpenManager();
    std::wstring binary = QuoteArgument(BuildPath(L"helpers\\test_service.exe")) + L" " + mode;
    UniqueScHandle service(CreateServiceW(manager.Get(), name.c_str(), name.c_str(),
                                          SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                          SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
                                          binary.c_str(), nullptr, nullptr, nullptr, nullptr,
                                          nullptr));
    return service.Valid();
}

bool StartTestService(const std::wstring& name)
{
    UniqueScHandle manager = OpenManager();
    UniqueScHandle service = OpenService(manager.Get(), name);
    if (!service || !StartServiceW(service.Get(), 0, nullptr))
        return false;
    return WaitFor([&] {
        SERVICE_STATUS_PROCESS status = {};
        return QueryStatus(service.Get(), status) && status.dwCurrentState == SERVICE_RUNNING;
    });
}

DWORD ServiceState(const std::wstring& name)
{
    UniqueScHandle manager = OpenManager();
    UniqueScHandle service = OpenService(manager.Get(), name);
    SERVICE_STATUS_PROCESS status = {};
    return service && QueryStatus(service.Get(), status) ? status.dwCurrentState : 0;
}

bool ServiceDeleted(const std::wstring& name)
{
    UniqueScHandle manager = OpenManager();
    UniqueScHandle service = OpenService(manager.Get(), name);
    if (!service)
        return GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST;
    // A second delete tells a service marked for deletion from one that is not.
    return !DeleteService(service.Get()) && GetLastError() == ERROR_SERVICE_MARKED_FOR_DELETE;
}

void RemoveService(const std::wstring& name)
{
    UniqueScHandle manager = OpenManager();
    UniqueScHandle service = OpenService(manager.Get(), name);
    if (!service)
        return;
    UniqueHandle quit(CreateEventW(nullptr, TRUE, FALSE, kQuitEvent));
    SetEvent(quit.Get());
    WaitFor([&] {
        SERVICE_STATUS_PROCESS status = {};
        return !QueryStatus(service.Get(), status) || status.dwCurrentState == SERVICE_STOPPED;
    });
    ResetEvent(quit.Get());
    DeleteService(service.Get());
    service.Reset();
    WaitFor([&] {
        UniqueScHandle again = OpenService(manager.Get(), name);
        return !again && GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST;
    });
}

}  // namespace test

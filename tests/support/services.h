#pragma once
#include <windows.h>

#include <string>

namespace test {

// The test service (helpers/test_service.exe MODE) registered with the service manager under
// any name, as an own-process, demand-start service. Tests set services up and tear them
// down here; stopping and deleting them is the program's own job.
bool InstallTestService(const std::wstring& name, const std::wstring& mode);
// Starts the service and waits until it reports SERVICE_RUNNING.
bool StartTestService(const std::wstring& name);
// The service's current state, or 0 when it is not registered.
DWORD ServiceState(const std::wstring& name);
// True when the service is gone or only waits for its process to end before it goes.
bool ServiceDeleted(const std::wstring& name);
// Ends whatever runs under the name (through the helper's quit event: a pending or refusing
// service accepts no control), deletes it and waits until the manager has let it go.
void RemoveService(const std::wstring& name);

}  // namespace test

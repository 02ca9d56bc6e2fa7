#include "system/service_doors.h"

DWORD RequestServiceStop(SC_HANDLE service)
{
    SERVICE_STATUS status = {};
    return ControlService(service, SERVICE_CONTROL_STOP, &status) ? ERROR_SUCCESS : GetLastError();
}

DWORD DeleteServiceEntry(SC_HANDLE service)
{
    return DeleteService(service) ? ERROR_SUCCESS : GetLastError();
}

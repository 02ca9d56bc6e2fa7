#pragma once
#include "platform/unique_handle.h"

#include <windows.h>

#include <string>

// An auto-reset event, unnamed, created not signalled; owns its handle.
class Event {
public:
    Event() : handle_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
    void Set() const { SetEvent(handle_.Get()); }
    // WAIT_OBJECT_0 when signalled (which resets it), WAIT_TIMEOUT otherwise.
    DWORD Wait(DWORD milliseconds) const { return WaitForSingleObject(handle_.Get(), milliseconds); }
    HANDLE Handle() const { return handle_.Get(); }

private:
    UniqueHandle handle_;
};

// Starts a worker thread running fn(argument); the returned owner holds the thread handle.
using WorkerProc = unsigned(__stdcall*)(void* argument);
UniqueHandle StartWorker(WorkerProc fn, void* argument);

// A string of the program's string table, exactly as stored (any length); empty when missing.
std::wstring LoadResString(UINT id, HINSTANCE module = nullptr);

#pragma once
#include <windows.h>

#include <string>

namespace test {

struct ProcessResult {
    bool started = false;
    bool timedOut = false;   // the process was killed at the time limit
    DWORD exitCode = 0;      // the full 32-bit code
    DWORD startError = 0;    // GetLastError of CreateProcessW when not started
};

// Runs a command line to its end (killing it past the limit) and returns its exit code.
ProcessResult RunProcess(const std::wstring& commandLine, DWORD timeoutMs = 60000);

// Quotes one argument so that CommandLineToArgvW gives it back unchanged.
std::wstring QuoteArgument(const std::wstring& argument);

// A process that runs while the object lives: a helper a test talks to, or keeps alive
// (Wine ends services when no ordinary Wine process is left). Killed on destruction.
class ChildProcess {
public:
    explicit ChildProcess(const std::wstring& commandLine);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Running() const;
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    // Waits for the end; returns false at the time limit.
    bool Wait(DWORD timeoutMs, DWORD* exitCode = nullptr);
    void Kill();

private:
    PROCESS_INFORMATION info_ = {};
};

}  // namespace test

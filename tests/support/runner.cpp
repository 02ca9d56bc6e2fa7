// runner.exe PROGRAM [ARGS]: runs the rest of its own command line, unchanged, and prints
// "exit code: N" with the program's full 32-bit exit code. Its own exit status is 0 when the
// program ran (whatever its code) and 1 when it could not be started.
#include "support/process.h"

#include <cstdio>
#include <string>

// The command line after the runner's own (possibly quoted) program name.
static std::wstring RestOfCommandLine(const wchar_t* line)
{
    bool quoted = false;
    while (*line && (quoted || (*line != L' ' && *line != L'\t'))) {
        if (*line == L'"')
            quoted = !quoted;
        ++line;
    }
    while (*line == L' ' || *line == L'\t')
        ++line;
    return line;
}

int wmain()
{
    std::wstring command = RestOfCommandLine(GetCommandLineW());
    if (command.empty()) {
        std::fputs("usage: runner PROGRAM [ARGS]\n", stderr);
        return 2;
    }
    test::ProcessResult result = test::RunProcess(command, INFINITE);
    if (!result.started) {
        std::fprintf(stderr, "runner: cannot start the program (error %lu)\n", result.startError);
        return 1;
    }
    std::printf("exit code: %lu\n", result.exitCode);
    return 0;
}

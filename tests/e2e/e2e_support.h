#pragma once
// Running tido.exe on a seeded machine and reading what it left.
#include "app/tido_app.h"
#include "support/log_reader.h"
#include "support/machine.h"
#include "support/paths.h"
#include "support/process.h"

#include <algorithm>
#include <string>
#include <vector>

namespace e2e {

inline DWORD RunTido(const std::wstring& arguments)
{
    test::ProcessResult result = test::RunProcess(
        test::QuoteArgument(test::BuildPath(L"tido.exe")) + L" " + arguments, 90000);
    return result.started && !result.timedOut ? result.exitCode : 0xFFFFFFFFu;
}

inline std::string Status()
{
    return test::Machine::Exists(StatusFilePath()) ? test::Machine::ReadFile(StatusFilePath())
                                                   : "(none)";
}

inline bool Logged(const std::vector<std::string>& log, const std::string& line)
{
    return std::find(log.begin(), log.end(), line) != log.end();
}

}  // namespace e2e

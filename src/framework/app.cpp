#include "framework/app.h"

#include <shellapi.h>

int App::Run()
{
    return Run(SplitCommandLine(GetCommandLineW()));
}

int App::Run(const std::vector<std::wstring>& words)
{
    words_ = words;
    return InitInstance();
}

std::vector<std::wstring> App::SplitCommandLine(const wchar_t* commandLine)
{
    std::vector<std::wstring> words;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(commandLine, &count);
    if (!argv)
        return words;
    for (int i = 1; i < count; ++i)
        words.emplace_back(argv[i]);
    LocalFree(argv);
    return words;
}

void App::ParseCommandLine(const std::vector<std::wstring>& words, CommandLineInfo& info)
{
    for (size_t i = 0; i < words.size(); ++i) {
        const std::wstring& word = words[i];
        bool isFlag = !word.empty() && (word[0] == L'-' || word[0] == L'/');
        info.ParseParam(word.c_str() + (isFlag ? 1 : 0), isFlag, i + 1 == words.size());
    }
}

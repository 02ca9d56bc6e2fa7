#pragma once
#include "platform/system.h"

#include <string>
#include <vector>

// Receives the command line one word at a time, as the application splits it.
class CommandLineInfo {
public:
    virtual ~CommandLineInfo() = default;
    // param: the word without a leading "-" or "/"; isFlag: it had one; isLast: the last word.
    virtual void ParseParam(const wchar_t* param, bool isFlag, bool isLast) = 0;
};

// The application base: owns the machine seam, splits the command line and runs InitInstance,
// whose result is the process exit code.
class App {
public:
    explicit App(System& system) : system_(system) {}
    virtual ~App() = default;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Runs the whole program for the process's own command line, or for the given words.
    int Run();
    int Run(const std::vector<std::wstring>& words);
    System& GetSystem() const { return system_; }

    // Feeds the words (without the program name) to the parser.
    static void ParseCommandLine(const std::vector<std::wstring>& words, CommandLineInfo& info);
    // The words of a command line after the program name, split as CommandLineToArgvW does.
    static std::vector<std::wstring> SplitCommandLine(const wchar_t* commandLine);

protected:
    virtual int InitInstance() = 0;
    const std::vector<std::wstring>& Words() const { return words_; }

private:
    System& system_;
    std::vector<std::wstring> words_;
};

#pragma once
#include <string>
#include <vector>

namespace zaptest {

// The two products the tests register, by hand or from package_a.wxs / package_b.wxs, with
// the packed forms of their codes as Wine's msiexec writes them.
struct TestProduct {
    const wchar_t* code;
    const wchar_t* packed;
    const wchar_t* upgradePacked;    // its package's upgrade code
    const wchar_t* componentPacked;  // its package's one component
    const wchar_t* package;          // the package's file in the build tree
};

extern const TestProduct productA;
extern const TestProduct productB;

struct ToolRun {
    unsigned long exitCode = 0;
    std::string output;  // standard output and error together
};

// msizap.exe from the build tree, run with the given arguments after its own path.
ToolRun RunTool(const std::wstring& arguments);

// Wine's msiexec with the given arguments; its full exit code.
unsigned long Msiexec(const std::wstring& arguments);

// Every key and value name that contains the text, case-insensitively, as "[view] key" or
// "[view] key : value" lines: in both views of the installer's keys under HKLM\SOFTWARE
// (Classes\Installer, CurrentVersion\Installer and Uninstall) and of all of HKEY_USERS (the
// current user included).
std::vector<std::wstring> RegistryMentions(const std::wstring& text);

// Removes every trace the tests' products can leave: registrations in both views and in the
// user hives, cached packages, installed files.
void ForgetTestProducts();

}  // namespace zaptest

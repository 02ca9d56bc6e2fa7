// delete_directory_bench.exe: removes a tree of 20,000 small files in 2,000 directories with
// DeleteDirectory, and an identical tree with "cmd /c rd /s /q", in one run, and prints both
// times and their ratio. Everything happens below C:\TidoBench, which is removed at the end;
// the installer log of the run goes there too.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "platform/system.h"

#include <shlobj.h>

#include <cstdio>
#include <string>

namespace {

const std::wstring kBenchRoot = L"C:\\TidoBench";
constexpr int kTopDirectories = 20;
constexpr int kSubDirectoriesEach = 99;  // 20 + 20 * 99 = 2,000 directories
constexpr int kFilesPerDirectory = 10;   // 20,000 files

// The real machine, but with the installer log kept beside the trees.
class BenchSystem : public Win32System {
public:
    bool SpecialFolderPath(int csidl, std::wstring& path) override
    {
        if (csidl != CSIDL_PERSONAL)
            return Win32System::SpecialFolderPath(csidl, path);
        path = kBenchRoot + L"\\log\\";
        return true;
    }
};

bool WriteSmallFiles(const std::wstring& directory)
{
    static const char content[] = "a small file of the benchmark tree\r\n";
    for (int i = 0; i < kFilesPerDirectory; ++i) {
        std::wstring path = directory + L"\\file" + std::to_wstring(i) + L".txt";
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        DWORD written = 0;
        WriteFile(file, content, sizeof content - 1, &written, nullptr);
        CloseHandle(file);
    }
    return true;
}

bool MakeTree(const std::wstring& root)
{
    if (!CreateDirectoryW(root.c_str(), nullptr))
        return false;
    for (int top = 0; top < kTopDirectories; ++top) {
        std::wstring topPath = root + L"\\top" + std::to_wstring(top);
        if (!CreateDirectoryW(topPath.c_str(), nullptr) || !WriteSmallFiles(topPath))
            return false;
        for (int sub = 0; sub < kSubDirectoriesEach; ++sub) {
            std::wstring subPath = topPath + L"\\sub" + std::to_wstring(sub);
            if (!CreateDirectoryW(subPath.c_str(), nullptr) || !WriteSmallFiles(subPath))
                return false;
        }
    }
    return true;
}

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}

double TimeDeleteDirectory(const std::wstring& tree)
{
    BenchSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    dialog.DeleteDirectory(tree, false);
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

double TimeRd(const std::wstring& tree)
{
    std::wstring commandLine = L"cmd.exe /c rd /s /q \"" + tree + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    QueryPerformanceCounter(&end);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return Seconds(start, end);
}

void RemoveBenchRoot()
{
    SHFILEOPSTRUCTW operation = {};
    std::wstring from = kBenchRoot + L'\0';  // a list ended by two zeros
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationW(&operation);
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int wmain()
{
    RemoveBenchRoot();
    const std::wstring ours = kBenchRoot + L"\\DeleteDirectory";
    const std::wstring theirs = kBenchRoot + L"\\rd";
    if (!CreateDirectoryW(kBenchRoot.c_str(), nullptr) || !MakeTree(ours) || !MakeTree(theirs)) {
        std::fprintf(stderr, "cannot make the trees below C:\\TidoBench\n");
        RemoveBenchRoot();
        return 1;
    }
    std::printf("tree: %d files in %d directories, twice\n",
                kTopDirectories * (kSubDirectoriesEach + 1) * kFilesPerDirectory,
                kTopDirectories * (kSubDirectoriesEach + 1));
    double deleteDirectory = TimeDeleteDirectory(ours);
    double rd = TimeRd(theirs);
    bool removed = !Exists(ours) && !Exists(theirs);
    RemoveBenchRoot();
    std::printf("DeleteDirectory:  %.3f s\n", deleteDirectory);
    std::printf("cmd /c rd /s /q:  %.3f s\n", rd);
    std::printf("ratio:            %.2f (target: at most 1.20)\n", deleteDirectory / rd);
    if (!removed || rd <= 0) {
        std::fprintf(stderr, "a tree was not removed completely\n");
        return 1;
    }
    return 0;
}

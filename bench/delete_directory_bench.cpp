// delete_directory_bench.exe: removes trees of 20,000 small files in 2,000 directories with
// DeleteDirectory and identical trees with "cmd /c rd /s /q", in one run, and prints both
// times and their ratio. Each tool removes two trees, in the order DeleteDirectory, rd, rd,
// DeleteDirectory, so that neither gains from going first (while the file system still
// writes back the new trees) or last. The trees lie below C:\TidoBench, removed at the end.
// DeleteDirectory logs to the real installer log, which is cut back to its size before.
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
    Win32System system;
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

// The installer log grows by two lines per directory; it is put back as it was.
class LogRestorer {
public:
    LogRestorer()
    {
        Win32System system;
        std::wstring documents;
        if (system.SpecialFolderPath(CSIDL_PERSONAL, documents))
            path_ = documents + (documents.back() == L'\\' ? L"" : L"\\") + L"TavCorlaInstall.log";
        WIN32_FILE_ATTRIBUTE_DATA data;
        existed_ = GetFileAttributesExW(path_.c_str(), GetFileExInfoStandard, &data) != FALSE;
        size_ = existed_ ? data.nFileSizeLow : 0;
    }
    ~LogRestorer()
    {
        if (!existed_) {
            DeleteFileW(path_.c_str());
            return;
        }
        HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return;
        SetFilePointer(file, static_cast<LONG>(size_), nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
    }

private:
    std::wstring path_;
    bool existed_ = false;
    DWORD size_ = 0;
};

int wmain()
{
    RemoveBenchRoot();
    const std::wstring trees[] = {kBenchRoot + L"\\tree1", kBenchRoot + L"\\tree2",
                                  kBenchRoot + L"\\tree3", kBenchRoot + L"\\tree4"};
    bool made = CreateDirectoryW(kBenchRoot.c_str(), nullptr) != FALSE;
    for (const std::wstring& tree : trees)
        made = made && MakeTree(tree);
    if (!made) {
        std::fprintf(stderr, "cannot make the trees below C:\\TidoBench\n");
        RemoveBenchRoot();
        return 1;
    }
    std::printf("trees: %d files in %d directories each\n",
                kTopDirectories * (kSubDirectoriesEach + 1) * kFilesPerDirectory,
                kTopDirectories * (kSubDirectoriesEach + 1));
    double deleteDirectory = 0, rd = 0;
    {
        LogRestorer restorer;
        double first = TimeDeleteDirectory(trees[0]);
        double second = TimeRd(trees[1]);
        double third = TimeRd(trees[2]);
        double fourth = TimeDeleteDirectory(trees[3]);
        std::printf("DeleteDirectory:  %.3f s + %.3f s\n", first, fourth);
        std::printf("cmd /c rd /s /q:  %.3f s + %.3f s\n", second, third);
        deleteDirectory = first + fourth;
        rd = second + third;
    }
    bool removed = true;
    for (const std::wstring& tree : trees)
        removed = removed && !Exists(tree);
    RemoveBenchRoot();
    std::printf("ratio:            %.2f (target: at most 1.20)\n", deleteDirectory / rd);
    if (!removed || rd <= 0) {
        std::fprintf(stderr, "a tree was not removed completely\n");
        return 1;
    }
    return 0;
}

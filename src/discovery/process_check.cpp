// The running-process check: the product's files cannot be removed while the product, a
// companion program, or any program that has loaded one of the product's DLLs is running.
#include "discovery/process_check.h"

#include "dialog/tido_dlg.h"
#include "platform/strings.h"
#include "platform/unique_handle.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// Searched in this order; the first hit ends the check.
constexpr const char* kProductModules[] = {
    "rareve.dll",
    "ncorlaws.dll",
    "nlexis.dll",
    "ncorlbho.dll",
};

constexpr const wchar_t* kProductProcesses[] = {
    L"corla2.exe",
    L"nrunldr.exe",
    L"corla.exe",
    L"nlcorla.exe",
    L"veltrane75.exe",
    L"npellow.exe",
    L"soffice.bin",
    L"soffice.exe",
};

constexpr char kUnknownNameA[] = "<unknown>";
constexpr wchar_t kUnknownNameW[] = L"<unknown>";
constexpr DWORD kMaxProcessIds = 1024;
constexpr DWORD kMaxModules = 255;
constexpr DWORD kBaseNameBytes = 130;
constexpr DWORD kFileNameBytes = 260;
constexpr DWORD kQueryAndRead = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;

// A yes from the check has every bit set; callers only test it against zero.
constexpr BOOL kProcessFound = ~FALSE;

using EnumProcessesFn = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using GetModuleNameFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);

template <typename Fn>
Fn LookUp(HMODULE library, const char* name)
{
    if (!library)
        return nullptr;
    // Through a generic function pointer, since FARPROC's own type matches none of these.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

// psapi.dll is loaded for each search, not linked, so that Tido starts where it is missing.
struct Psapi {
    UniqueLibrary library{LoadLibraryW(L"psapi.dll")};
    EnumProcessesFn enumProcesses = LookUp<EnumProcessesFn>(library.Get(), "EnumProcesses");
    EnumProcessModulesFn enumProcessModules =
        LookUp<EnumProcessModulesFn>(library.Get(), "EnumProcessModules");
    GetModuleNameFn getModuleBaseName =
        LookUp<GetModuleNameFn>(library.Get(), "GetModuleBaseNameA");
    GetModuleNameFn getModuleFileNameEx =
        LookUp<GetModuleNameFn>(library.Get(), "GetModuleFileNameExA");

    bool Complete() const
    {
        return enumProcesses && enumProcessModules && getModuleBaseName && getModuleFileNameEx;
    }
};

// Only the end of the path counts, byte for byte: a DLL's folder says nothing about whose
// it is, and a name in other letter case is not the product's.
bool EndsWithModuleName(const char* fileName, const char* moduleName)
{
    size_t fileLength = strnlen(fileName, kFileNameBytes);
    size_t moduleLength = std::strlen(moduleName);
    return fileLength > moduleLength &&
           std::memcmp(fileName + fileLength - moduleLength, moduleName, moduleLength) == 0;
}

// True when one of the first modules of the process is moduleName; baseName receives the
// name of the process's executable.
bool ProcessHasModule(const Psapi& psapi, HANDLE process, const char* moduleName,
                      char (&baseName)[kBaseNameBytes])
{
    HMODULE modules[kMaxModules] = {};
    DWORD needed = 0;
    // Windows fails with 299 for a 64-bit process, Wine with 998: a list that cannot be read
    // is never looked at, whatever the reason.
    if (!psapi.enumProcessModules(process, modules, sizeof(modules), &needed))
        return false;
    psapi.getModuleBaseName(process, modules[0], baseName, kBaseNameBytes);
    if (lstrcmpiA(baseName, kUnknownNameA) == 0)
        return false;
    DWORD count = std::min<DWORD>(needed / sizeof(HMODULE), kMaxModules);
    for (DWORD i = 0; i < count; ++i) {
        char fileName[kFileNameBytes] = {};
        psapi.getModuleFileNameEx(process, modules[i], fileName, kFileNameBytes);
        if (EndsWithModuleName(fileName, moduleName))
            return true;
    }
    return false;
}

bool EqualsFoldingAsciiLetters(const wchar_t* a, const wchar_t* b)
{
    auto fold = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c; };
    for (; *a && *b; ++a, ++b) {
        if (fold(*a) != fold(*b))
            return false;
    }
    return *a == *b;
}

std::wstring FromAnsi(const char* text)
{
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return {};
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(length - 1);
    return wide;
}

}  // namespace

bool FindProcessWithModule(const char* moduleName, char* processName, DWORD processNameSize,
                           DWORD* processId)
{
    if (!moduleName || !processName || processNameSize == 0)
        return false;
    processName[0] = '\0';
    Psapi psapi;
    if (!psapi.library)
        return false;
    if (!psapi.Complete()) {
        lstrcpynA(processName, kUnknownNameA, processNameSize);
        return false;
    }
    DWORD ids[kMaxProcessIds] = {};
    DWORD needed = 0;
    if (!psapi.enumProcesses(ids, sizeof(ids), &needed))
        return false;
    DWORD count = std::min<DWORD>(needed / sizeof(DWORD), kMaxProcessIds);
    for (DWORD i = 0; i < count; ++i) {
        if (ids[i] == 0)
            continue;
        char baseName[kBaseNameBytes] = {};
        lstrcpynA(baseName, kUnknownNameA, kBaseNameBytes);
        // Protected processes do not open; they are passed over.
        UniqueHandle process(OpenProcess(kQueryAndRead, FALSE, ids[i]));
        if (!process || !ProcessHasModule(psapi, process.Get(), moduleName, baseName))
            continue;
        lstrcpynA(processName, baseName, processNameSize);
        if (processId)
            *processId = ids[i];
        return true;
    }
    return false;
}

bool FindProcessByName(const wchar_t* exeName, wchar_t* processName, DWORD processNameSize,
                       DWORD* processId)
{
    if (!exeName || !processName || processNameSize == 0)
        return false;
    lstrcpynW(processName, kUnknownNameW, processNameSize);
    UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        if (EqualsFoldingAsciiLetters(entry.szExeFile, exeName)) {
            lstrcpynW(processName, entry.szExeFile, processNameSize);
            if (processId)
                *processId = entry.th32ProcessID;
            return true;
        }
    }
    return false;
}

BOOL CTidoDlg::IsProductProcessRunning()
{
    for (const char* moduleName : kProductModules) {
        char processName[kProcessNameLength] = {};
        DWORD processId = 0;
        if (FindProcessWithModule(moduleName, processName, sizeof(processName), &processId)) {
            m_strRunningProcess = FromAnsi(processName);
            return kProcessFound;
        }
    }
    for (const wchar_t* exeName : kProductProcesses) {
        wchar_t processName[kProcessNameLength] = {};
        DWORD processId = 0;
        if (FindProcessByName(exeName, processName, kProcessNameLength, &processId)) {
            m_strRunningProcess = ToLower(processName);
            return kProcessFound;
        }
    }
    return FALSE;
}

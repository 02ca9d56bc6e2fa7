#include "support/machine.h"

#include "support/paths.h"
#include "support/process.h"
#include "support/services.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <fstream>
#include <sstream>

namespace test {
namespace {

struct RegistryLeftover {
    HKEY hive;
    const wchar_t* path;
};

// Everything the product, Tido or a test can leave in the registry. Each is removed in both
// views before and after every test that uses the fixture.
const RegistryLeftover registryLeftovers[] = {
    {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Gorvo"},
    {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tav"},
    {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Omb"},
    {HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest"},
    {HKEY_CURRENT_USER, L"Software\\Gorvo"},
    {HKEY_CURRENT_USER, L"Software\\Tav"},
    {HKEY_CURRENT_USER, L"Software\\Omb"},
    {HKEY_CURRENT_USER, L"Software\\TidoTest"},
    {HKEY_USERS, L".DEFAULT\\Software\\Gorvo"},
    {HKEY_USERS, L".DEFAULT\\Software\\Tav"},
    {HKEY_USERS, L".DEFAULT\\Software\\Omb"},
};

// Keys that tests seed below keys owned by the system (the installer's registrations), named
// with a test mark: every sub-key of the parent whose name begins with the mark is removed.
struct RegistryLeftoverPrefix {
    HKEY hive;
    const wchar_t* parent;
    const wchar_t* prefix;
};

const RegistryLeftoverPrefix registryLeftoverPrefixes[] = {
    {HKEY_LOCAL_MACHINE,
     L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Products",
     L"TIDOTEST"},
    {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\Installer\\Features", L"TIDOTEST"},
    {HKEY_LOCAL_MACHINE,
     L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Components",
     L"TIDOTEST"},
};

// Services the tests register (the test service under names with spaces). Whatever runs
// under them is ended, then they are deleted.
const wchar_t* const serviceLeftovers[] = {
    L"Tido Test Service",
};

// Files and directories left by the product, by Tido (log, status file) or by a test.
struct FileLeftover {
    int csidl;  // -1: the temporary directory; -2: an absolute path
    const wchar_t* relative;
};

const FileLeftover fileLeftovers[] = {
    {-1, L"Tido.status"},
    {CSIDL_PERSONAL, L"TavCorlaInstall.log"},
    {CSIDL_PERSONAL, L"TavCorlaTLKAInstall.log"},
    {-2, L"C:\\TidoTest"},
    {-2, L"C:\\Program Files (x86)\\Tav"},
};

std::wstring ResolveLeftover(const FileLeftover& leftover)
{
    if (leftover.csidl == -2)
        return leftover.relative;
    std::wstring folder = leftover.csidl == -1 ? TempDirectory() : ShellFolder(leftover.csidl);
    return folder.empty() ? L"" : folder + L"\\" + leftover.relative;
}

bool HiveFromName(const std::wstring& name, HKEY& hive)
{
    const struct { const wchar_t* name; HKEY hive; } hives[] = {
        {L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}, {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},   {L"HKEY_USERS", HKEY_USERS},
    };
    for (const auto& entry : hives) {
        if (_wcsicmp(entry.name, name.c_str()) == 0) {
            hive = entry.hive;
            return true;
        }
    }
    return false;
}

// The text of a .reg file: UTF-16LE with a byte-order mark (REGEDIT5) or 8-bit (REGEDIT4).
std::wstring ReadRegFileText(const std::wstring& path)
{
    std::string bytes = Machine::ReadFile(path);
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring text((bytes.size() - 2) / 2, L'\0');
        memcpy(text.data(), bytes.data() + 2, text.size() * 2);
        return text;
    }
    return std::wstring(bytes.begin(), bytes.end());
}

std::vector<std::wstring> SubKeysStartingWith(HKEY hive, const std::wstring& parent,
                                              const std::wstring& prefix, View view)
{
    std::vector<std::wstring> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(hive, parent.c_str(), 0, KEY_READ | static_cast<REGSAM>(view), &key) !=
        ERROR_SUCCESS)
        return names;
    wchar_t name[256];
    DWORD length = 256;
    for (DWORD index = 0; RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr,
                                        nullptr) == ERROR_SUCCESS;
         ++index, length = 256) {
        if (_wcsnicmp(name, prefix.c_str(), prefix.size()) == 0)
            names.push_back(name);
    }
    RegCloseKey(key);
    return names;
}

DWORD SubKeyCount(HKEY key)
{
    DWORD count = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
    return count;
}

}  // namespace

Machine::Machine()
{
    RemoveLeftovers();
}

Machine::~Machine()
{
    RestoreValues();
    for (auto it = seededKeys_.rbegin(); it != seededKeys_.rend(); ++it)
        DeleteKeyTree(it->hive, it->path, it->view);
    for (auto it = seededPaths_.rbegin(); it != seededPaths_.rend(); ++it)
        DeletePath(*it);
    RemoveLeftovers();
}

void Machine::RemoveLeftovers()
{
    for (const wchar_t* service : serviceLeftovers)
        RemoveService(service);
    for (const auto& leftover : registryLeftovers) {
        DeleteKeyTree(leftover.hive, leftover.path, View::k64);
        DeleteKeyTree(leftover.hive, leftover.path, View::k32);
    }
    for (const auto& leftover : registryLeftoverPrefixes) {
        for (View view : {View::k64, View::k32}) {
            for (const std::wstring& name :
                 SubKeysStartingWith(leftover.hive, leftover.parent, leftover.prefix, view))
                DeleteKeyTree(leftover.hive, std::wstring(leftover.parent) + L"\\" + name, view);
        }
    }
    for (const auto& leftover : fileLeftovers) {
        std::wstring path = ResolveLeftover(leftover);
        if (!path.empty())
            DeletePath(path);
    }
}

// Remembers the outermost key of the path that does not exist yet: removing it later removes
// exactly what the test added.
void Machine::RememberKey(HKEY hive, const std::wstring& path, View view)
{
    size_t end = 0;
    while (end != std::wstring::npos) {
        end = path.find(L'\\', end + 1);
        std::wstring prefix = path.substr(0, end);
        if (!KeyExists(hive, prefix, view)) {
            seededKeys_.push_back({hive, prefix, view});
            return;
        }
    }
}

void Machine::RememberPath(const std::wstring& path)
{
    size_t end = path.find(L'\\');  // skip the drive
    while (end != std::wstring::npos) {
        end = path.find(L'\\', end + 1);
        std::wstring prefix = path.substr(0, end);
        if (!Exists(prefix)) {
            seededPaths_.push_back(prefix);
            return;
        }
    }
}

// The value as it is before the test first writes it, in a key the test did not create.
void Machine::RememberValue(HKEY hive, const std::wstring& path, const std::wstring& name,
                            View view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(hive, path.c_str(), 0, KEY_READ | static_cast<REGSAM>(view), &key) !=
        ERROR_SUCCESS)
        return;
    SeededValue value{hive, path, name, view, false, 0, {}};
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size) ==
        ERROR_SUCCESS) {
        value.data.resize(size);
        value.existed = RegQueryValueExW(key, name.c_str(), nullptr, &value.type,
                                         reinterpret_cast<BYTE*>(value.data.data()),
                                         &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    seededValues_.push_back(std::move(value));
}

// Latest first, so that a value written twice (through both views of a shared key) ends
// with what it held before the first write.
void Machine::RestoreValues()
{
    for (auto it = seededValues_.rbegin(); it != seededValues_.rend(); ++it) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(it->hive, it->path.c_str(), 0,
                          KEY_SET_VALUE | static_cast<REGSAM>(it->view), &key) != ERROR_SUCCESS)
            continue;
        if (it->existed)
            RegSetValueExW(key, it->name.c_str(), 0, it->type,
                           reinterpret_cast<const BYTE*>(it->data.data()),
                           static_cast<DWORD>(it->data.size()));
        else
            RegDeleteValueW(key, it->name.c_str());
        RegCloseKey(key);
    }
    seededValues_.clear();
}

HKEY Machine::OpenForWriting(HKEY hive, const std::wstring& path, View view)
{
    RememberKey(hive, path, view);
    HKEY key = nullptr;
    LONG status = RegCreateKeyExW(hive, path.c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS | static_cast<REGSAM>(view), nullptr, &key,
                                  nullptr);
    EXPECT_EQ(status, ERROR_SUCCESS) << "cannot create " << Narrow(path);
    return status == ERROR_SUCCESS ? key : nullptr;
}

void Machine::CreateKey(HKEY hive, const std::wstring& path, View view)
{
    if (HKEY key = OpenForWriting(hive, path, view))
        RegCloseKey(key);
}

void Machine::SetRaw(HKEY hive, const std::wstring& path, const std::wstring& name, DWORD type,
                     const void* data, DWORD size, View view)
{
    if (KeyExists(hive, path, view))
        RememberValue(hive, path, name, view);
    HKEY key = OpenForWriting(hive, path, view);
    if (!key)
        return;
    LONG status = RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    EXPECT_EQ(status, ERROR_SUCCESS) << "cannot set " << Narrow(path + L"\\" + name);
    RegCloseKey(key);
}

void Machine::SetString(HKEY hive, const std::wstring& path, const std::wstring& name,
                        const std::wstring& value, View view)
{
    SetRaw(hive, path, name, REG_SZ, value.c_str(),
           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)), view);
}

void Machine::SetExpandString(HKEY hive, const std::wstring& path, const std::wstring& name,
                              const std::wstring& value, View view)
{
    SetRaw(hive, path, name, REG_EXPAND_SZ, value.c_str(),
           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)), view);
}

void Machine::SetDword(HKEY hive, const std::wstring& path, const std::wstring& name,
                       DWORD value, View view)
{
    SetRaw(hive, path, name, REG_DWORD, &value, sizeof(value), view);
}

void Machine::ImportReg(const std::wstring& dataFile, View view)
{
    std::wstring file = SourcePath(L"tests\\data\\" + dataFile);
    std::wistringstream lines(ReadRegFileText(file));
    std::wstring line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        if (line.size() < 3 || line[0] != L'[' || line[1] == L'-' || line.back() != L']')
            continue;
        std::wstring full = line.substr(1, line.size() - 2);
        HKEY hive;
        size_t slash = full.find(L'\\');
        if (slash != std::wstring::npos && HiveFromName(full.substr(0, slash), hive))
            RememberKey(hive, full.substr(slash + 1), view);
    }
    std::wstring command = L"reg.exe import " + QuoteArgument(file) +
                           (view == View::k64 ? L" /reg:64" : L" /reg:32");
    ProcessResult result = RunProcess(command, 30000);
    EXPECT_TRUE(result.started && result.exitCode == 0) << "reg import failed: " << Narrow(file);
}

bool Machine::KeyExists(HKEY hive, const std::wstring& path, View view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(hive, path.c_str(), 0, KEY_READ | static_cast<REGSAM>(view), &key) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool Machine::ValueExists(HKEY hive, const std::wstring& path, const std::wstring& name,
                          View view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(hive, path.c_str(), 0, KEY_READ | static_cast<REGSAM>(view), &key) !=
        ERROR_SUCCESS)
        return false;
    LONG status = RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

std::wstring Machine::ReadString(HKEY hive, const std::wstring& path, const std::wstring& name,
                                 View view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(hive, path.c_str(), 0, KEY_READ | static_cast<REGSAM>(view), &key) !=
        ERROR_SUCCESS)
        return L"";
    DWORD type = 0, size = 0;
    std::wstring value;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        value.assign(size / sizeof(wchar_t) + 1, L'\0');
        RegQueryValueExW(key, name.c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(value.data()), &size);
        value.resize(wcslen(value.c_str()));
    }
    RegCloseKey(key);
    return value;
}

void Machine::DeleteKeyTree(HKEY hive, const std::wstring& path, View view)
{
    HKEY key = nullptr;
    REGSAM access = KEY_READ | KEY_WRITE | DELETE | static_cast<REGSAM>(view);
    if (RegOpenKeyExW(hive, path.c_str(), 0, access, &key) != ERROR_SUCCESS)
        return;
    wchar_t name[256];
    for (;;) {
        DWORD length = 256;
        if (RegEnumKeyExW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        DWORD before = SubKeyCount(key);
        DeleteKeyTree(hive, path + L"\\" + name, view);
        if (SubKeyCount(key) >= before)
            break;  // a sub-key that will not go: stop rather than loop
    }
    RegCloseKey(key);
    RegDeleteKeyExW(hive, path.c_str(), static_cast<REGSAM>(view), 0);
}

void Machine::WriteFile(const std::wstring& path, const std::string& content)
{
    size_t slash = path.rfind(L'\\');
    if (slash != std::wstring::npos)
        MakeDirectory(path.substr(0, slash));
    RememberPath(path);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create " << Narrow(path);
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    EXPECT_EQ(written, content.size());
}

void Machine::MakeDirectory(const std::wstring& path)
{
    RememberPath(path);
    int status = SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
    EXPECT_TRUE(status == ERROR_SUCCESS || status == ERROR_ALREADY_EXISTS)
        << "cannot create directory " << Narrow(path) << " (" << status << ")";
}

bool Machine::Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Machine::ReadFile(const std::wstring& path)
{
    std::ifstream stream(path.c_str(), std::ios::binary);
    std::ostringstream content;
    content << stream.rdbuf();
    return content.str();
}

void Machine::DeletePath(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    bool isLink = attributes & FILE_ATTRIBUTE_REPARSE_POINT;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(path.c_str());
        return;
    }
    if (!isLink) {  // never descend through a link
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = entry.cFileName;
                if (name != L"." && name != L"..")
                    DeletePath(path + L"\\" + name);
            } while (FindNextFileW(find, &entry));
            FindClose(find);
        }
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace test

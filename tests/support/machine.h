#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace test {

// The registry view a key is seeded or checked in.
enum class View : REGSAM { k64 = KEY_WOW64_64KEY, k32 = KEY_WOW64_32KEY };

// The test machine: seeds registry keys, values, files and directories, checks them, and
// removes on destruction everything it seeded together with whatever the product or an
// earlier test can have left (so every test begins and ends on a known machine).
//
// Seeding failures are test failures (reported through GoogleTest), never silent.
class Machine {
public:
    Machine();
    ~Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    // Registry. Paths are below the hive, without a leading backslash.
    void CreateKey(HKEY hive, const std::wstring& path, View view = View::k64);
    void SetString(HKEY hive, const std::wstring& path, const std::wstring& name,
                   const std::wstring& value, View view = View::k64);
    void SetExpandString(HKEY hive, const std::wstring& path, const std::wstring& name,
                         const std::wstring& value, View view = View::k64);
    void SetDword(HKEY hive, const std::wstring& path, const std::wstring& name, DWORD value,
                  View view = View::k64);
    // Raw bytes of any type: odd lengths, strings without a terminator, wrong types.
    // A value written into a key that existed before is put back as it was (or removed)
    // when the machine goes, so seeding system keys leaves them unchanged.
    void SetRaw(HKEY hive, const std::wstring& path, const std::wstring& name, DWORD type,
                const void* data, DWORD size, View view = View::k64);
    // Imports a REGEDIT5 file from tests/data (e.g. L"installation.reg") through a view.
    void ImportReg(const std::wstring& dataFile, View view = View::k64);

    static bool KeyExists(HKEY hive, const std::wstring& path, View view = View::k64);
    static bool ValueExists(HKEY hive, const std::wstring& path, const std::wstring& name,
                            View view = View::k64);
    static std::wstring ReadString(HKEY hive, const std::wstring& path,
                                   const std::wstring& name, View view = View::k64);
    static void DeleteKeyTree(HKEY hive, const std::wstring& path, View view);

    // Files. Parent directories are created as needed.
    void WriteFile(const std::wstring& path, const std::string& content = "");
    void MakeDirectory(const std::wstring& path);
    static bool Exists(const std::wstring& path);
    static std::string ReadFile(const std::wstring& path);
    static void DeletePath(const std::wstring& path);  // a file or a whole tree

    // Removes every location of the known-leftovers tables (both registry views) and the
    // services the tests register.
    static void RemoveLeftovers();

private:
    struct SeededKey {
        HKEY hive;
        std::wstring path;
        View view;
    };
    HKEY OpenForWriting(HKEY hive, const std::wstring& path, View view);
    void RememberKey(HKEY hive, const std::wstring& path, View view);
    void RememberPath(const std::wstring& path);
    void RememberValue(HKEY hive, const std::wstring& path, const std::wstring& name, View view);
    void RestoreValues();

    struct SeededValue {
        HKEY hive;
        std::wstring path;
        std::wstring name;
        View view;
        bool existed;
        DWORD type;
        std::string data;
    };
    std::vector<SeededKey> seededKeys_;
    std::vector<SeededValue> seededValues_;
    std::vector<std::wstring> seededPaths_;
};

}  // namespace test

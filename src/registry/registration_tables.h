#pragma once
// The fixed tables of CleanRegistrySpecial: the browser plug-in table and the cleanup blocks
// B1 to B23, as data. product_registrations.cpp runs them; the tests seed a machine from them.
#include <windows.h>

#include <cstddef>
#include <span>
#include <string>
#include <vector>

enum class Hive { HKLM, HKCU, HKCR, HKU };
HKEY HiveKey(Hive hive);

inline constexpr REGSAM k64 = KEY_WOW64_64KEY;
inline constexpr REGSAM k32 = KEY_WOW64_32KEY;

enum class CleanupOperation {
    KeyTree,         // the key `name` under `path`, with everything below it
    Blank,           // the default value of key `path`, emptied when it points at the product
    Value,           // the value `name` of key `path`
    GuardedKeyTree,  // HKCR\name, only when its "shell\open\command" names the program directory
    PluginValue,     // the value `name` of key `path`, logged with the plug-in table's messages
};

// A key path, optionally followed by one identifier: "CLSID" + "\" + SnapInClass.
struct KeyPath {
    const wchar_t* base;
    const wchar_t* identifier = nullptr;
    constexpr KeyPath(const wchar_t* path) : base(path) {}
    constexpr KeyPath(const wchar_t* path, const wchar_t* id) : base(path), identifier(id) {}
};

// How the names of an entry become the keys it names.
enum class Naming {
    AsGiven,
    DocumentTypeUnderExtension,  // x: key "standalone_auto_file.x" under path + "\.x"
    DocumentType,                // x: key "standalone_auto_file.x" under path
};

// One name, or an ordered list of names walked in order.
struct EntryNames {
    const wchar_t* single = nullptr;
    const wchar_t* const* list = nullptr;
    std::size_t count = 1;
    Naming naming = Naming::AsGiven;

    constexpr EntryNames(const wchar_t* name) : single(name) {}
    template <std::size_t N>
    constexpr EntryNames(const wchar_t* const (&names)[N], Naming how = Naming::AsGiven)
        : list(names), count(N), naming(how)
    {
    }
};

template <std::size_t N>
constexpr EntryNames DocumentTypesUnderExtensions(const wchar_t* const (&extensions)[N])
{
    return EntryNames(extensions, Naming::DocumentTypeUnderExtension);
}
template <std::size_t N>
constexpr EntryNames DocumentTypes(const wchar_t* const (&extensions)[N])
{
    return EntryNames(extensions, Naming::DocumentType);
}

// One row: (hive, path, name, view, operation). A blank row names the key in `path` and the
// empty name of its default value.
struct CleanupEntry {
    Hive hive;
    KeyPath path;
    EntryNames names;
    REGSAM view;
    CleanupOperation operation;
};

enum class BlockCondition { Always, UnlessLarkspan, UnlessCoexist };

// A block whose entries run only when the value under hive\path\subPath names a program
// inside the program directory (CheckProgramPath).
struct ProgramPathGuard {
    Hive hive;
    const wchar_t* path;
    const wchar_t* subPath;
    const wchar_t* valueName;
    REGSAM view;
};

struct CleanupBlock {
    const wchar_t* name;
    BlockCondition condition;
    std::span<const CleanupEntry> entries;
    const ProgramPathGuard* guard = nullptr;
};

std::span<const CleanupEntry> BrowserPluginTable();
std::span<const CleanupBlock> CleanupBlocks();

// One registry change an entry asks for, with its names spelled out.
struct CleanupTarget {
    Hive hive;
    std::wstring path;
    std::wstring name;
    REGSAM view;
    CleanupOperation operation;
};
std::vector<CleanupTarget> ExpandEntry(const CleanupEntry& entry);

#pragma once
#include <windows.h>

#include <string>

// Access masks of the registry steps.
constexpr REGSAM kRegistryRead = KEY_READ;                     // 0x20019
constexpr REGSAM kRegistryReadWrite = KEY_READ | KEY_WRITE;    // 0x2001F
constexpr REGSAM kRegistryViewMask = KEY_WOW64_64KEY | KEY_WOW64_32KEY;

// An owned holder of at most one open registry key, remembering the view it was opened in
// so that deletions below it happen in the same view.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY Handle() const { return handle_; }
    REGSAM View() const { return view_; }
    bool IsOpen() const { return handle_ != nullptr; }

private:
    friend LONG OpenRegistryKey(RegistryKey&, HKEY, const std::wstring&, REGSAM);
    friend LONG CloseRegistryKey(RegistryKey&);

    HKEY handle_ = nullptr;
    REGSAM view_ = 0;
};

// Opens parent\path (an empty path opens the parent again). The key held before is closed
// only once the new one is open; a failed open leaves the holder as it was.
LONG OpenRegistryKey(RegistryKey& key, HKEY parent, const std::wstring& path, REGSAM access);
LONG CloseRegistryKey(RegistryKey& key);
// Deletes one direct sub-key (without children) in the holder's view.
LONG DeleteRegistrySubKey(RegistryKey& key, const std::wstring& name);
// Deletes a direct sub-key with everything below it, leaves first, in the holder's view.
// ERROR_FILE_NOT_FOUND when the sub-key does not exist.
LONG DeleteRegistryTree(RegistryKey& key, const std::wstring& name);
// A REG_SZ or REG_EXPAND_SZ value of at most 258 characters, unexpanded; empty on any
// failure (missing, other type, too long, no terminator).
std::wstring ReadRegistryString(RegistryKey& key, const std::wstring& valueName);
// The same read, telling a missing or unusable value (non-zero status, empty text) from an
// empty string (ERROR_SUCCESS).
LONG QueryRegistryString(RegistryKey& key, const std::wstring& valueName, std::wstring& value);
// A 32-bit value as the installer keeps sizes and versions: 0 when missing or longer than four
// bytes; the type is not looked at, so a shorter value gives its bytes only.
DWORD ReadRegistryDword(RegistryKey& key, const std::wstring& valueName);
// The same value as decimal text ("%ld"): "0" when missing.
std::wstring ReadRegistryDwordText(RegistryKey& key, const std::wstring& valueName);

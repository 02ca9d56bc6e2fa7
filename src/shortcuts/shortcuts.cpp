// Shortcuts on the desktops and in the Start menu, pinned items and the Explorer values that
// remember removed pinned favourites.
#include "dialog/tido_dlg.h"

#include "files/file_operations.h"
#include "platform/strings.h"
#include "product/product.h"
#include "registry/registry_key.h"
#include "shortcuts/name_pattern.h"
#include "shortcuts/registry_value.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <span>
#include <vector>

namespace {

const wchar_t kRemoveTag[] = L"TIDO: RemoveShortcut";
const wchar_t kDeleteTag[] = L"TIDO: DeleteShortcut";
constexpr size_t kMaxSearchText = 260;

using PatternList = std::span<const wchar_t* const>;

struct ShellFolder {
    int csidl;
    bool trailingBackslash;  // the form the paths below it are built from
    const wchar_t* abortText;
};

const ShellFolder kDesktops[] = {
    {CSIDL_COMMON_DESKTOPDIRECTORY, true,
     L"Windows has apparently lost its mind and does not know where "
     L"CSIDL_COMMON_DESKTOPDIRECTORY is.  Aborting shortcut removal. %ld"},
    {CSIDL_DESKTOPDIRECTORY, true,
     L"Windows has apparently lost its mind and does not know where "
     L"CSIDL_DESKTOPDIRECTORY is.  Aborting shortcut removal. %ld"},
};
const ShellFolder kProgramsFolders[] = {
    {CSIDL_COMMON_PROGRAMS, false,
     L"Windows has apparently lost its mind and does not know where "
     L"CSIDL_COMMON_PROGRAMS is.  Aborting shortcut removal. %ld"},
    {CSIDL_PROGRAMS, false,
     L"Windows has apparently lost its mind and does not know where "
     L"CSIDL_PROGRAMS is.  Aborting shortcut removal. %ld"},
};
const ShellFolder kApplicationData = {
    CSIDL_APPDATA, true,
    L"Windows has apparently lost its mind and does not know where "
    L"CSIDL_APPDATA is.  Aborting shortcut removal. %ld"};

const wchar_t* const kPinnedFolders[] = {
    L"Microsoft\\Internet Explorer\\Quick Launch\\User Pinned\\TaskBar",
    L"Microsoft\\Internet Explorer\\Quick Launch\\User Pinned\\StartMenu",
};

const wchar_t* const kExplorerKeys[] = {
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Taskband",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartPage2",
};
const wchar_t kRemovedFavoritesValue[] = L"FavoritesRemovedChanges";

bool IsDirectory(const std::wstring& path)
{
    return PathIsDirectoryW(path.c_str()) != FALSE;
}

// The name on disk of the directory called name (in any letter case) directly in folder.
bool FindDirectory(const std::wstring& folder, const wchar_t* name, WIN32_FIND_DATAW& found)
{
    UniqueFindHandle listing(FindFirstFileW((folder + L"\\" + name).c_str(), &found));
    return listing && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           EqualsNoCase(found.cFileName, name);
}

// One run of RemoveShortcut. Each part returns false when a shell folder cannot be located,
// which ends the whole step.
class ShortcutRemoval {
public:
    explicit ShortcutRemoval(CTidoDlg& dialog) : dialog_(dialog), larkspan_(dialog.m_bLarkspan) {}

    void Run()
    {
        Log(L"Entering", L" ");
        if (!RemoveFromDesktops() || !RemoveFromStartMenus())
            return;
        if (!larkspan_ && !RemovePinnedItems())
            return;
        ResetRemovedFavorites();
        Log(L"Exiting", L" ");
    }

private:
    bool Locate(const ShellFolder& shellFolder, std::wstring& path)
    {
        if (!dialog_.GetSystem().SpecialFolderPath(shellFolder.csidl, path)) {
            DWORD error = GetLastError();
            std::wstring text = Format(shellFolder.abortText, static_cast<long>(error));
            Log(L"ERROR: ", text.substr(0, 519));
            return false;
        }
        if (shellFolder.trailingBackslash)
            path = WithTrailingBackslash(path);
        else if (EndsWith(path, L"\\"))
            path.pop_back();
        return true;
    }

    void DeleteShortcuts(const std::wstring& folder, PatternList patterns)
    {
        for (const wchar_t* pattern : patterns)
            dialog_.DeleteShortcut(folder, pattern);
    }

    bool RemoveFromDesktops()
    {
        for (const ShellFolder& desktop : kDesktops) {
            std::wstring folder;
            if (!Locate(desktop, folder))
                return false;
            Log(L"Deleting shortcuts under directory: ", folder);
            DeleteShortcuts(folder, larkspan_ ? PatternList(kLarkspanShortcuts)
                                              : PatternList(kCorlaDesktopShortcuts));
        }
        return true;
    }

    bool RemoveFromStartMenus()
    {
        for (const ShellFolder& programs : kProgramsFolders) {
            std::wstring folder;
            if (!Locate(programs, folder))
                return false;
            if (!PathFileExistsW(folder.c_str())) {
                Log(L"NOT found Programs folder in Start Menu: ", folder);
                continue;
            }
            Log(L"Deleting shortcuts under directory: ", folder);
            DeleteShortcuts(folder, larkspan_ ? PatternList(kLarkspanShortcuts)
                                              : PatternList(kCorlaStartMenuShortcuts));
            for (const wchar_t* name : kApplicationFolders)
                RemoveApplicationFolder(folder, name);
        }
        return true;
    }

    void RemoveApplicationFolder(const std::wstring& programs, const wchar_t* name)
    {
        WIN32_FIND_DATAW found;
        if (!FindDirectory(programs, name, found))
            return;
        std::wstring folder = programs + L"\\" + found.cFileName;
        if (IsLinkEntry(found.dwFileAttributes)) {
            Log(L"Found directory link, not followed: ", folder);
            return;
        }
        DeleteShortcuts(folder, larkspan_ ? PatternList(kLarkspanShortcuts)
                                          : PatternList(kCorlaApplicationFolderShortcuts));
        // Beside an installed Corla, Larkspan leaves the shared support files alone.
        std::wstring support = folder + kApplicationSupportFolder;
        if ((!larkspan_ || !dialog_.m_bCoexist) && IsDirectory(support))
            dialog_.DeleteDirectory(support, true);
        if (!PathIsDirectoryEmptyW(folder.c_str()))
            return;
        if (dialog_.DeleteDirectory(folder, true))
            Log(L"Directory deleted: ", folder);
        else
            Log(L"Failed to delete directory : ", FileErrorText(folder, GetLastError()));
    }

    bool RemovePinnedItems()
    {
        std::wstring appData;
        if (!Locate(kApplicationData, appData))
            return false;
        Log(L"AppData dir: ", appData);
        for (const wchar_t* pinned : kPinnedFolders) {
            std::wstring folder = appData + pinned;
            if (PathFileExistsW(folder.c_str()))
                DeleteShortcuts(folder, kCorlaPinnedShortcuts);
        }
        return true;
    }

    void ResetRemovedFavorites()
    {
        for (const wchar_t* keyPath : kExplorerKeys) {
            RegistryKey key;
            if (OpenRegistryKey(key, HKEY_CURRENT_USER, keyPath,
                                kRegistryReadWrite | KEY_WOW64_64KEY) != ERROR_SUCCESS)
                continue;
            std::wstring text = std::wstring(L"HKEY_CURRENT_USER\\") + keyPath + L"\\" +
                                kRemovedFavoritesValue;
            if (SetRegistryStringValue(key, kRemovedFavoritesValue, L"0") == ERROR_SUCCESS)
                Log(L"Set value to 0: ", text);
            else
                Log(L"Failed to set value: ", text);
        }
    }

    void Log(const wchar_t* text, const std::wstring& suffix)
    {
        dialog_.WriteLog(kRemoveTag, text, suffix);
    }

    CTidoDlg& dialog_;
    bool larkspan_;
};

}  // namespace

void CTidoDlg::RemoveShortcut()
{
    ShortcutRemoval(*this).Run();
}

void CTidoDlg::DeleteShortcut(std::wstring folder, std::wstring pattern)
{
    std::wstring search = folder + L"\\" + pattern;
    if (search.size() >= kMaxSearchText)
        return;
    std::vector<std::wstring> names;
    {
        WIN32_FIND_DATAW found;
        UniqueFindHandle listing(FindFirstFileW(search.c_str(), &found));
        if (!listing)
            return;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                MatchesFilePattern(found.cFileName, pattern))
                names.push_back(found.cFileName);
        } while (FindNextFileW(listing.Get(), &found));
    }
    for (const std::wstring& name : names) {
        std::wstring path = folder + L"\\" + name;
        if (!SetNormalFileAttributes(path))
            WriteLog(kDeleteTag, L"Failed to set shortcut attribute to normal: ",
                     FileErrorText(path, GetLastError()));
        if (DeleteOneFile(path)) {
            WriteLog(kDeleteTag, L"Shortcut deleted: ", path);
        } else {
            m_bFilesLeft = 1;
            WriteLog(kDeleteTag, L"Failed to delete shortcut : ", FileErrorText(path, GetLastError()));
        }
    }
}

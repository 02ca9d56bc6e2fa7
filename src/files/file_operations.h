#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The doors through which Tido changes the file system. Every step deletes files and removes
// directories through these and never calls the Win32 functions itself, so that a dry run or
// a record of what is removed can be added here alone. Each keeps the Win32 last error of
// its call for the caller to log.
bool DeleteOneFile(const std::wstring& path);
bool RemoveOneDirectory(const std::wstring& path);
bool SetNormalFileAttributes(const std::wstring& path);

// The form of a file path that the file functions accept beyond 260 characters: "\\?\"
// in front of a drive path, "\\?\UNC\" in place of the leading "\\" of a share path.
// Shorter paths and paths already in that form are returned unchanged.
std::wstring LongPathForm(const std::wstring& path);

// "path - code" with the Windows error code in lower-case hexadecimal, as the file steps log
// their failures; at most maxLength - 1 characters.
std::wstring FileErrorText(const std::wstring& path, DWORD error, size_t maxLength = 520);

// True for an entry that is a junction, a symbolic link or another reparse point: Tido never
// looks inside one and removes only the entry itself.
inline bool IsLinkEntry(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

struct DirectoryEntry {
    std::wstring name;
    DWORD attributes;
};

// The entries of a directory other than "." and "..", read in full before the caller deletes
// any of them: deleting while a listing is open can make some file systems skip entries. A
// search pattern of 260 characters or more, or a directory that cannot be listed, gives none.
std::vector<DirectoryEntry> ListDirectory(const std::wstring& path);

// Forced deletion: a directory tree bottom-up, and one file with a second attempt.
#include "dialog/tido_dlg.h"

#include "discovery/protected_locations.h"
#include "files/file_operations.h"
#include "platform/strings.h"
#include "product/product.h"

namespace {

const wchar_t kDeleteDirectoryTag[] = L"TIDO: DeleteDirectory";
// The error texts of a tree removal hold long paths.
constexpr size_t kTreeErrorTextLength = 2568;

bool IsKeptShortcut(const std::wstring& name)
{
    for (const wchar_t* kept : kKeptShortcuts) {
        if (EqualsNoCase(name, kept))
            return true;
    }
    return false;
}

std::wstring ComparableForm(const std::wstring& path)
{
    return path.empty() ? path : CanonicalPathForComparison(path);
}

// One removal of a tree. The places it spares are compared in their canonical form, so a
// stored directory with a trailing backslash, another letter case or "/" still matches the
// path met in the walk; each walked path carries its canonical form beside it.
class TreeDeletion {
public:
    TreeDeletion(CTidoDlg& dialog, bool keep)
        : dialog_(dialog),
          keep_(keep),
          dataDir_(ComparableForm(dialog.m_strDataDir)),
          sharedDataDir_(ComparableForm(dialog.m_strSharedDataDir)),
          iniPath_(keep ? ComparableForm(dialog.m_strIniPath) : L"")
    {
    }

    // Removes path (without a trailing backslash); returns 0 or the error of its removal.
    DWORD DeleteTop(const std::wstring& path)
    {
        return Delete(path, CanonicalPathForComparison(path), GetFileAttributesW(path.c_str()));
    }

private:
    DWORD Delete(const std::wstring& path, const std::wstring& comparable, DWORD attributes)
    {
        if (attributes != INVALID_FILE_ATTRIBUTES && IsLinkEntry(attributes))
            return RemoveLink(path);
        for (const DirectoryEntry& entry : ListDirectory(path)) {
            std::wstring full = path + L"\\" + entry.name;
            std::wstring comparableFull = comparable + L"\\" + entry.name;
            if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteSubDirectory(full, comparableFull, entry.attributes);
            else
                DeleteFileEntry(full, comparableFull, entry.name);
        }
        return RemoveDirectoryEntry(path);
    }

    // A junction or directory symbolic link is removed as the entry itself: what it points
    // to may be anywhere on the machine and is never listed or deleted.
    DWORD RemoveLink(const std::wstring& path)
    {
        Log(L"Found directory link, not followed: ", path);
        return RemoveDirectoryEntry(path);
    }

    DWORD RemoveDirectoryEntry(const std::wstring& path)
    {
        if (RemoveOneDirectory(path))
            return ERROR_SUCCESS;
        DWORD error = GetLastError();
        Log(L"Failed to remove directory: ", FileErrorText(path, error, kTreeErrorTextLength));
        return error;
    }

    void DeleteSubDirectory(const std::wstring& path, const std::wstring& comparable,
                            DWORD attributes)
    {
        if (SameLocation(dataDir_, comparable)) {
            Log(L"Found Data Directory and skipped: ", path);
            return;
        }
        if (SameLocation(sharedDataDir_, comparable)) {
            Log(L"Found Shared Data Directory and skipped: ", path);
            return;
        }
        Log(L"Deleting directory recursively: ", path);
        if (Delete(path, comparable, attributes) == ERROR_SUCCESS)
            Log(L"Directory deleted : ", path);
    }

    void DeleteFileEntry(const std::wstring& path, const std::wstring& comparable,
                         const std::wstring& name)
    {
        if (keep_ && EqualsNoCase(name, kIniFileName) && SameLocation(iniPath_, comparable)) {
            Log(L"Found corla.ini and skipped: ", path);
            return;
        }
        if (keep_ && IsKeptShortcut(name)) {
            Log(L"Found shortcut need to keep and skipped: ", path);
            return;
        }
        if (!dialog_.ForceDeleteFile(kDeleteDirectoryTag, path))
            dialog_.m_bFilesLeft = 1;
    }

    static bool SameLocation(const std::wstring& stored, const std::wstring& comparable)
    {
        return !stored.empty() && EqualsNoCase(stored, comparable);
    }

    void Log(const wchar_t* text, const std::wstring& suffix)
    {
        dialog_.WriteLog(kDeleteDirectoryTag, text, suffix);
    }

    CTidoDlg& dialog_;
    bool keep_;
    std::wstring dataDir_;
    std::wstring sharedDataDir_;
    std::wstring iniPath_;
};

}  // namespace

// Leaves the Win32 last error at the error of the final removal (0 on success), so that a
// caller can log why the directory stayed.
bool CTidoDlg::DeleteDirectory(std::wstring path, bool keep)
{
    WriteLog(kDeleteDirectoryTag, L"Deleting directory recursively: ", path);
    std::wstring reason = WhyProtectedLocation(path, GetSystem());
    if (!reason.empty()) {
        // A damaged or hostile location must not cost the machine a drive or a profile.
        WriteLog(kDeleteDirectoryTag, L"ERROR: ",
                 Format(L"Directory refused (%s): %s", reason.c_str(), path.c_str()));
        m_bFilesLeft = 1;
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    if (EndsWith(path, L"\\"))
        path.pop_back();
    DWORD error = TreeDeletion(*this, keep).DeleteTop(path);
    SetLastError(error);
    return error == ERROR_SUCCESS;
}

bool CTidoDlg::ForceDeleteFile(const std::wstring& tag, const std::wstring& path)
{
    if (DeleteOneFile(path))
        return true;
    // Read-only, hidden or system files refuse the first delete; past 260 characters the
    // calls need the long-path form.
    std::wstring target = LongPathForm(path);
    if (!SetNormalFileAttributes(target))
        WriteLog(tag, L"Failed to set file attribute to normal: ",
                 FileErrorText(target, GetLastError(), kTreeErrorTextLength));
    if (DeleteOneFile(target))
        return true;
    WriteLog(tag, L"Failed to delete file : ",
             FileErrorText(target, GetLastError(), kTreeErrorTextLength));
    return false;
}

#include "files/file_operations.h"

#include "platform/strings.h"
#include "platform/unique_handle.h"

namespace {

constexpr size_t kLongPathThreshold = 260;
constexpr size_t kMaxListingPattern = 260;

}  // namespace

bool DeleteOneFile(const std::wstring& path)
{
    return DeleteFileW(path.c_str()) != FALSE;
}

bool RemoveOneDirectory(const std::wstring& path)
{
    return RemoveDirectoryW(path.c_str()) != FALSE;
}

bool SetNormalFileAttributes(const std::wstring& path)
{
    return SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL) != FALSE;
}

std::wstring LongPathForm(const std::wstring& path)
{
    if (path.size() < kLongPathThreshold || StartsWith(path, L"\\\\?\\"))
        return path;
    // A share path keeps its server and share: "\\server\share\x" -> "\\?\UNC\server\share\x".
    if (StartsWith(path, L"\\\\"))
        return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

std::wstring FileErrorText(const std::wstring& path, DWORD error, size_t maxLength)
{
    std::wstring text = Format(L"%s - %lx", path.c_str(), error);
    if (maxLength > 0 && text.size() > maxLength - 1)
        text.resize(maxLength - 1);
    return text;
}

std::vector<DirectoryEntry> ListDirectory(const std::wstring& path)
{
    std::vector<DirectoryEntry> entries;
    std::wstring pattern = path + L"\\*.*";
    if (pattern.size() >= kMaxListingPattern)
        return entries;
    WIN32_FIND_DATAW found;
    UniqueFindHandle listing(FindFirstFileW(pattern.c_str(), &found));
    if (!listing)
        return entries;
    do {
        std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            entries.push_back({std::move(name), found.dwFileAttributes});
    } while (FindNextFileW(listing.Get(), &found));
    return entries;
}

#include "registry/path_match.h"

namespace {

bool IsBoundary(const std::wstring& value, size_t position)
{
    return position == value.size() || value[position] == L'\\' || value[position] == L'"';
}

}  // namespace

bool ContainsDirectoryAtBoundary(const std::wstring& lowerValue,
                                 const std::wstring& lowerDirectory)
{
    if (lowerDirectory.empty())
        return false;
    bool endsWithSeparator = lowerDirectory.back() == L'\\';
    for (size_t found = lowerValue.find(lowerDirectory); found != std::wstring::npos;
         found = lowerValue.find(lowerDirectory, found + 1)) {
        if (endsWithSeparator || IsBoundary(lowerValue, found + lowerDirectory.size()))
            return true;
    }
    return false;
}

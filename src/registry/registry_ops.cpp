// The logging registry primitives that every cleanup step calls.
#include "registry/registry_ops.h"

#include "dialog/tido_dlg.h"
#include "platform/strings.h"
#include "registry/path_match.h"
#include "registry/registry_doors.h"
#include "registry/registry_key.h"

namespace {

const wchar_t kRecurseTag[] = L"TIDO: DeleteRegistryRecurse";
const wchar_t kCorlaKeyTag[] = L"TIDO: DeleteCorlaKey";
const wchar_t kProgramPathTag[] = L"TIDO: CheckProgramPath";

const struct {
    HKEY hive;
    const wchar_t* text;
} kHiveTexts[] = {
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE"},
    {HKEY_CLASSES_ROOT, L"HKEY_CLASSES_ROOT"},
    {HKEY_CURRENT_USER, L"HKEY_CURRENT_USER"},
};

// Product words looked for in the value as it is stored (case matters).
const wchar_t* const kProductWords[] = {L"Corla", L"corla", L"rcplauncher"};

std::wstring KeyErrorText(const std::wstring& logName, LONG status)
{
    return Format(L"Key: %s; Error: %ld", logName.c_str(), static_cast<long>(status));
}

// The value names something of the product: a path in its program directory, or one of its
// words.
bool PointsAtProduct(const std::wstring& value, const std::wstring& lowerProgramDir)
{
    return ContainsDirectoryAtBoundary(ToLower(value), lowerProgramDir) ||
           ContainsProductWord(value);
}

}  // namespace

bool ContainsProductWord(const std::wstring& text)
{
    for (const wchar_t* word : kProductWords) {
        if (text.find(word) != std::wstring::npos)
            return true;
    }
    return false;
}

std::wstring RegistryHiveText(HKEY hive)
{
    for (const auto& entry : kHiveTexts) {
        if (entry.hive == hive)
            return entry.text;
    }
    return L"";
}

std::wstring RegistryLogName(HKEY hive, const std::wstring& path, const std::wstring& last)
{
    return RegistryHiveText(hive) + L"\\" + path + L"\\" + last;
}

bool CTidoDlg::DeleteRegistryRecurse(HKEY hive, const std::wstring& path,
                                     const std::wstring& subKey, REGSAM view)
{
    std::wstring logName = RegistryLogName(hive, path, subKey);
    RegistryKey parent;
    if (OpenRegistryKey(parent, hive, path, view | kRegistryRead) != ERROR_SUCCESS) {
        WriteLog(kRecurseTag, L"Failed to open registry: ", logName);
        return true;
    }
    LONG status = DeleteRegistryTree(parent, subKey);
    if (status == ERROR_SUCCESS)
        WriteLog(kRecurseTag, L"Registry subvalue deleted recursively: ", logName);
    else if (status == ERROR_FILE_NOT_FOUND)
        WriteLog(kRecurseTag, L"Registry key NOT found: ", logName);
    else
        WriteLog(kRecurseTag, L"Failed to delete registry recursively: ",
                 KeyErrorText(logName, status));
    return true;
}

bool CTidoDlg::DeleteCorlaKey(HKEY hive, const std::wstring& path,
                              const std::wstring& valueName, int mode, REGSAM view)
{
    RegistryKey key;
    if (OpenRegistryKey(key, hive, path, view | kRegistryReadWrite) != ERROR_SUCCESS)
        return true;
    if (mode == 0) {
        std::wstring logName = RegistryLogName(hive, path, valueName);
        LONG status = DeleteRegistryValue(key, valueName);
        if (status == ERROR_SUCCESS)
            WriteLog(kCorlaKeyTag, L"Delete registry value: ", logName);
        else
            WriteLog(kCorlaKeyTag, L"ERROR: Failed to delete registry value: ",
                     KeyErrorText(logName, status));
        return true;
    }
    std::wstring logName = RegistryHiveText(hive) + L"\\" + path;
    // Only the value's text is emptied: the value itself may be expected by other software.
    if (!PointsAtProduct(ReadRegistryString(key, valueName), m_strProgramDir))
        WriteLog(kCorlaKeyTag, L"Not found corla value: ", logName);
    else if (BlankRegistryValue(key, valueName) == ERROR_SUCCESS)
        WriteLog(kCorlaKeyTag, L"Set value to null: ", logName);
    else
        WriteLog(kCorlaKeyTag, L"Failed to set value: ", logName);
    return true;
}

bool CTidoDlg::CheckProgramPath(HKEY hive, const std::wstring& path, const std::wstring& subPath,
                                const std::wstring& valueName, REGSAM view)
{
    RegistryKey key;
    if (OpenRegistryKey(key, hive, path + L"\\" + subPath, view | kRegistryRead) !=
        ERROR_SUCCESS)
        return false;
    std::wstring value = ToLower(ReadRegistryString(key, valueName));
    std::wstring logName = RegistryLogName(hive, path, subPath);
    if (ContainsDirectoryAtBoundary(value, m_strProgramDir)) {
        WriteLog(kProgramPathTag, L"Found program path in ", logName);
        return true;
    }
    WriteLog(kProgramPathTag, L"No program path found in ", logName);
    return false;
}

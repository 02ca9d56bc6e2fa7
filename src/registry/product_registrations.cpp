// CleanRegistrySpecial: the product's registrations outside its own keys, removed by running
// the browser plug-in table and the cleanup blocks, then the installer walks.
#include "dialog/tido_dlg.h"

#include "platform/strings.h"
#include "registry/registry_doors.h"
#include "registry/registry_key.h"
#include "registry/registry_ops.h"
#include "registry/registration_tables.h"

namespace {

const wchar_t kTag[] = L"TIDO: CleanRegistrySpecial";

}  // namespace

bool CTidoDlg::CleanRegistrySpecial()
{
    WriteLog(kTag, L"Entering", L" ");
    for (const CleanupEntry& entry : BrowserPluginTable()) {
        for (const CleanupTarget& target : ExpandEntry(entry))
            RunCleanupTarget(target);
    }
    for (const CleanupBlock& block : CleanupBlocks()) {
        if (!BlockRuns(block) || (block.guard && !GuardHolds(*block.guard)))
            continue;
        for (const CleanupEntry& entry : block.entries) {
            for (const CleanupTarget& target : ExpandEntry(entry))
                RunCleanupTarget(target);
        }
    }
    if (!m_bLarkspan) {
        CleanInstallerFeatures();
        CleanInstallerComponents();
    }
    CleanInstallerFolders();
    WriteLog(kTag, L"Exiting", L" ");
    return true;
}

bool CTidoDlg::BlockRuns(const CleanupBlock& block) const
{
    switch (block.condition) {
    case BlockCondition::Always:
        return true;
    case BlockCondition::UnlessLarkspan:
        return !m_bLarkspan;
    case BlockCondition::UnlessCoexist:
        return !m_bCoexist;
    }
    return false;
}

bool CTidoDlg::GuardHolds(const ProgramPathGuard& guard)
{
    return CheckProgramPath(HiveKey(guard.hive), guard.path, guard.subPath, guard.valueName,
                            guard.view);
}

void CTidoDlg::RunCleanupTarget(const CleanupTarget& target)
{
    HKEY hive = HiveKey(target.hive);
    switch (target.operation) {
    case CleanupOperation::KeyTree:
        DeleteRegistryRecurse(hive, target.path, target.name, target.view);
        break;
    case CleanupOperation::Blank:
        DeleteCorlaKey(hive, target.path, target.name, 1, target.view);
        break;
    case CleanupOperation::Value:
        DeleteCorlaKey(hive, target.path, target.name, 0, target.view);
        break;
    case CleanupOperation::GuardedKeyTree:
        // A file association goes only when its program lives in the program directory:
        // the same extension may belong to another program on this machine.
        if (CheckProgramPath(hive, target.name, L"shell\\open\\command", L"", target.view))
            DeleteRegistryRecurse(hive, target.path, target.name, target.view);
        break;
    case CleanupOperation::PluginValue:
        DeletePluginValue(target);
        break;
    }
}

void CTidoDlg::DeletePluginValue(const CleanupTarget& target)
{
    HKEY hive = HiveKey(target.hive);
    std::wstring logName = RegistryLogName(hive, target.path, target.name);
    RegistryKey key;
    if (OpenRegistryKey(key, hive, target.path, target.view | kRegistryReadWrite) !=
        ERROR_SUCCESS) {
        WriteLog(kTag, L"Failed to open registry: ", logName);
        return;
    }
    LONG status = DeleteRegistryValue(key, target.name);
    if (status == ERROR_SUCCESS)
        WriteLog(kTag, L"Registry value deleted: ", logName);
    else if (status == ERROR_FILE_NOT_FOUND)
        WriteLog(kTag, L"Registry value NOT found: ", logName);
    else
        WriteLog(kTag, L"Failed to delete registry value: ",
                 Format(L"Key: %s; Error: %ld", logName.c_str(), static_cast<long>(status)));
}

#include "registrations_machine.h"

#include "product/product.h"
#include "registry/registry_ops.h"
#include "support/log_reader.h"
#include "support/paths.h"

#include <algorithm>

using test::Machine;
using test::View;

namespace registrations_test {
namespace {

const wchar_t kMark[] = L"tido test";
const wchar_t kMailClients[] = L"SOFTWARE\\Clients\\Mail";
const wchar_t kCalendarClients[] = L"SOFTWARE\\Clients\\Calendar";
const wchar_t kFeaturesKey[] = L"SOFTWARE\\Classes\\Installer\\Features";
const wchar_t kComponentsKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Components";
const wchar_t kFoldersKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";

View ViewOf(REGSAM view)
{
    return static_cast<View>(view);
}

// Copies in the other registry view of keys and values that Windows itself keeps apart for
// 32-bit and 64-bit programs (SOFTWARE, Run, CLSID, Interface): they belong to the other
// view's programs and must stay.
struct OtherViewCopy {
    Hive hive;
    std::wstring path;
    const wchar_t* valueName;  // nullptr: the key itself
    REGSAM view;
};
std::vector<OtherViewCopy> OtherViewCopies()
{
    return {
        {Hive::HKLM, L"SOFTWARE\\Mozilla\\Firefox\\Extensions", FirefoxExtensionA, k64},
        {Hive::HKLM, std::wstring(L"SOFTWARE\\Classes\\CLSID\\") + ClassPairA, nullptr, k64},
        {Hive::HKLM, std::wstring(L"SOFTWARE\\Classes\\CLSID\\") + ClassSetB[0], nullptr, k64},
        {Hive::HKCR, std::wstring(L"CLSID\\") + ClassSetA[0], nullptr, k64},
        {Hive::HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"Tav Corla Preloader",
         k64},
        {Hive::HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"OXDCPreLoad", k32},
        {Hive::HKLM, L"SOFTWARE\\Gorvo\\Veltrane Client", L"Other view", k32},
        {Hive::HKLM, L"SOFTWARE\\Microsoft\\Office\\8.0\\Common\\MAPIDll", L"DLL32", k64},
    };
}

std::wstring SeededBlankValue(const CleanupTarget& target)
{
    if (target.hive == Hive::HKLM && target.view == k32 && target.path == kMailClients)
        return kForeignMailClient;
    if (target.hive == Hive::HKLM && target.view == k32 && target.path == kCalendarClients)
        return kProductCalendarClient;
    return kProgramCommand;
}

// B21 removes the ".vcf" key whole (HKCR\.vcf is HKLM\SOFTWARE\Classes\.vcf), after B10 and
// B19 have blanked values inside it.
bool InsideVcfKey(const CleanupTarget& target)
{
    const std::wstring vcf = target.hive == Hive::HKCR ? L".vcf" : L"SOFTWARE\\Classes\\.vcf";
    return target.path == vcf || target.path.rfind(vcf + L"\\", 0) == 0;
}

bool IsValueOperation(CleanupOperation operation)
{
    return operation == CleanupOperation::Value || operation == CleanupOperation::PluginValue;
}

std::vector<std::wstring> SubKeys(const std::wstring& path)
{
    std::vector<std::wstring> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) !=
        ERROR_SUCCESS)
        return names;
    wchar_t name[260];
    for (DWORD index = 0, length = 260;
         RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
         ++index, length = 260)
        names.push_back(name);
    RegCloseKey(key);
    return names;
}

std::vector<std::wstring> ValueNames(const std::wstring& path)
{
    std::vector<std::wstring> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) !=
        ERROR_SUCCESS)
        return names;
    std::vector<wchar_t> name(16384);
    for (DWORD index = 0, length = 16384;
         RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
         ++index, length = 16384)
        names.emplace_back(name.data(), length);
    RegCloseKey(key);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::wstring> TestSubKeys(const std::wstring& path)
{
    std::vector<std::wstring> names = SubKeys(path);
    std::erase_if(names, [](const std::wstring& name) { return name.rfind(L"TIDOTEST", 0) != 0; });
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::vector<BlockTarget> AllTargets()
{
    std::vector<BlockTarget> all;
    for (const CleanupEntry& entry : BrowserPluginTable()) {
        for (CleanupTarget& target : ExpandEntry(entry))
            all.push_back({L"plug-in", BlockCondition::Always, std::move(target)});
    }
    for (const CleanupBlock& block : CleanupBlocks()) {
        for (const CleanupEntry& entry : block.entries) {
            for (CleanupTarget& target : ExpandEntry(entry))
                all.push_back({block.name, block.condition, std::move(target)});
        }
    }
    return all;
}

std::wstring KeyOf(const CleanupTarget& target)
{
    return target.path.empty() ? target.name : target.path + L"\\" + target.name;
}

std::wstring Describe(const CleanupTarget& target)
{
    return RegistryLogName(HiveKey(target.hive), target.path, target.name) +
           (target.view == k32 ? L" (32)" : L" (64)");
}

RegistrationsMachine::RegistrationsMachine()
{
    test::ClearLogs();
}

void RegistrationsMachine::SetProductDirectories()
{
    dialog.m_strProgramDir = kProgramDir;
    dialog.m_strDataDir = kDataDir;
    dialog.m_strSharedDataDir = kSharedDataDir;
}

void RegistrationsMachine::SeedEverything()
{
    for (const BlockTarget& entry : AllTargets()) {
        const CleanupTarget& target = entry.target;
        HKEY hive = HiveKey(target.hive);
        View view = ViewOf(target.view);
        switch (target.operation) {
        case CleanupOperation::KeyTree:
            machine.SetString(hive, KeyOf(target) + L"\\Seeded", L"Mark", kMark, view);
            break;
        case CleanupOperation::Value:
        case CleanupOperation::PluginValue:
            machine.SetString(hive, target.path, target.name, kMark, view);
            break;
        case CleanupOperation::Blank:
            machine.SetString(hive, target.path, target.name, SeededBlankValue(target), view);
            break;
        case CleanupOperation::GuardedKeyTree:
            machine.SetString(hive, target.name + L"\\shell\\open\\command", L"",
                              kAssociationCommand, view);
            break;
        }
    }
    for (const CleanupBlock& block : CleanupBlocks()) {
        if (const ProgramPathGuard* guard = block.guard)
            machine.SetString(HiveKey(guard->hive),
                              std::wstring(guard->path) + L"\\" + guard->subPath,
                              guard->valueName, kProgramCommand, ViewOf(guard->view));
    }
    for (const OtherViewCopy& copy : OtherViewCopies())
        machine.SetString(HiveKey(copy.hive), copy.path, copy.valueName ? copy.valueName : L"",
                          kMark, ViewOf(copy.view));
    machine.ImportReg(L"installer_walks.reg", View::k64);
}

void RegistrationsMachine::ExpectSeeded(const CleanupTarget& target)
{
    HKEY hive = HiveKey(target.hive);
    View view = ViewOf(target.view);
    SCOPED_TRACE(test::Narrow(Describe(target)));
    if (target.operation == CleanupOperation::Blank)
        EXPECT_EQ(Machine::ReadString(hive, target.path, target.name, view),
                  SeededBlankValue(target));
    else if (IsValueOperation(target.operation))
        EXPECT_TRUE(Machine::ValueExists(hive, target.path, target.name, view));
    else
        EXPECT_TRUE(Machine::KeyExists(hive, KeyOf(target), view));
}

void RegistrationsMachine::ExpectRemoved(const CleanupTarget& target)
{
    HKEY hive = HiveKey(target.hive);
    View view = ViewOf(target.view);
    SCOPED_TRACE(test::Narrow(Describe(target)));
    if (target.operation == CleanupOperation::Blank && InsideVcfKey(target)) {
        EXPECT_FALSE(Machine::KeyExists(hive, target.path, view));
    } else if (target.operation == CleanupOperation::Blank) {
        // Blanked, never deleted; a value that names neither the program directory nor the
        // product stays as it is.
        std::wstring seeded = SeededBlankValue(target);
        bool pointsAtProduct = ContainsProductWord(seeded) ||
                               (seeded == kProgramCommand && !dialog.m_strProgramDir.empty());
        EXPECT_TRUE(Machine::ValueExists(hive, target.path, target.name, view));
        EXPECT_EQ(Machine::ReadString(hive, target.path, target.name, view),
                  pointsAtProduct ? L"" : seeded);
    } else if (IsValueOperation(target.operation)) {
        EXPECT_FALSE(Machine::ValueExists(hive, target.path, target.name, view));
    } else {
        EXPECT_FALSE(Machine::KeyExists(hive, KeyOf(target), view));
    }
}

void RegistrationsMachine::ExpectOtherViewCopiesStay()
{
    for (const OtherViewCopy& copy : OtherViewCopies()) {
        SCOPED_TRACE(test::Narrow(copy.path));
        EXPECT_EQ(Machine::ReadString(HiveKey(copy.hive), copy.path,
                                      copy.valueName ? copy.valueName : L"", ViewOf(copy.view)),
                  kMark);
    }
}

std::vector<std::wstring> RegistrationsMachine::Snapshot()
{
    std::vector<std::wstring> lines;
    for (const BlockTarget& entry : AllTargets()) {
        const CleanupTarget& target = entry.target;
        HKEY hive = HiveKey(target.hive);
        View view = ViewOf(target.view);
        std::wstring state;
        if (target.operation == CleanupOperation::Blank)
            state = L"= " + Machine::ReadString(hive, target.path, target.name, view);
        else if (IsValueOperation(target.operation))
            state = Machine::ValueExists(hive, target.path, target.name, view) ? L"value" : L"-";
        else
            state = Machine::KeyExists(hive, KeyOf(target), view) ? L"key" : L"-";
        lines.push_back(Describe(target) + L" " + state);
    }
    for (const OtherViewCopy& copy : OtherViewCopies())
        lines.push_back(copy.path + L" = " +
                        Machine::ReadString(HiveKey(copy.hive), copy.path,
                                            copy.valueName ? copy.valueName : L"",
                                            ViewOf(copy.view)));
    for (const auto& list : {FeatureKeys(), ComponentKeyPaths(), FolderNames()})
        lines.insert(lines.end(), list.begin(), list.end());
    return lines;
}

std::vector<std::wstring> FeatureKeys()
{
    return TestSubKeys(kFeaturesKey);
}

std::vector<std::wstring> ComponentKeyPaths()
{
    std::vector<std::wstring> paths;
    for (const std::wstring& component : TestSubKeys(kComponentsKey)) {
        for (const std::wstring& value : ValueNames(std::wstring(kComponentsKey) + L"\\" + component))
            paths.push_back(component + L"\\" + value);
    }
    return paths;
}

std::vector<std::wstring> FolderNames()
{
    return ValueNames(kFoldersKey);
}

}  // namespace registrations_test

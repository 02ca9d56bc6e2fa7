// The last registry steps on a machine that holds every key their tables name: what each
// product's removal deletes, in which view, what it leaves, and what a second run does.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "registry/final_tables.h"
#include "support/fake_system.h"
#include "support/log_reader.h"
#include "support/machine.h"
#include "support/paths.h"

#include <gtest/gtest.h>

#include <span>

using test::Machine;
using test::View;

namespace {

struct SeededKey {
    HKEY hive;
    std::wstring path;
    View view;
    ProductSet set;
};

void AddRows(std::vector<SeededKey>& keys, std::span<const KeyTreeEntry> table)
{
    for (const KeyTreeEntry& entry : table)
        keys.push_back({entry.hive, std::wstring(entry.parent) + L"\\" + entry.subKey,
                        static_cast<View>(entry.view), entry.set});
}

// Every key the three tables name, each in the view its row names.
std::vector<SeededKey> TableKeys()
{
    std::vector<SeededKey> keys;
    for (const ClientPlatformParent& parent : kClientPlatformParents) {
        for (const wchar_t* subKey : kClientPlatformSubKeys)
            keys.push_back({parent.hive, std::wstring(parent.path) + L"\\" + subKey,
                            static_cast<View>(parent.view), ProductSet::Corla});
    }
    AddRows(keys, kProductKeys);
    AddRows(keys, kLanguagePackKeys);
    return keys;
}

struct OtherKey {
    HKEY hive;
    std::wstring path;
    View view;
};

// Keys no removal may touch.
const OtherKey kKeysThatStay[] = {
    // The same paths in the other view of HKLM\Software, which Windows keeps apart.
    {HKEY_LOCAL_MACHINE, L"Software\\Gorvo\\Corla", View::k64},
    {HKEY_LOCAL_MACHINE, L"Software\\Tav\\TLKA", View::k64},
    {HKEY_LOCAL_MACHINE, L"Software\\Omb\\OLKAMUIPack", View::k64},
    {HKEY_LOCAL_MACHINE, L"Software\\Gorvo\\MUIPack70", View::k64},
    {HKEY_LOCAL_MACHINE, std::wstring(L"Software\\Omb\\Gorvo\\Caldrimon\\") + PlatformComponentId,
     View::k64},
    // Neighbours: Corla's machine-wide language packs of the later brands, another client of
    // the platform, and the vendor keys themselves.
    {HKEY_LOCAL_MACHINE, L"Software\\Omb\\MUIPack", View::k32},
    {HKEY_LOCAL_MACHINE, L"Software\\Tav\\MUIPack", View::k32},
    {HKEY_CURRENT_USER, L"Software\\Tav\\Gorvo\\Caldrimon\\Larkspan", View::k64},
    {HKEY_USERS, L".DEFAULT\\Software\\Omb\\Gorvo\\Caldrimon\\Larkspan", View::k32},
    {HKEY_CURRENT_USER, L"Software\\Gorvo", View::k64},
};

const std::string kDeleted = "Registry subvalue deleted recursively: ";
const std::string kNotFound = "Registry key NOT found: ";
const std::string kCannotOpen = "Failed to open registry: ";

std::string Recurse(const std::string& outcome, const std::string& key)
{
    return "TIDO: DeleteRegistryRecurse: " + outcome + key;
}

// Corla's removal, every key with the same outcome.
std::vector<std::string> CorlaLog(const std::string& outcome)
{
    const std::string hklm = "HKEY_LOCAL_MACHINE\\Software\\", hkcu = "HKEY_CURRENT_USER\\Software\\";
    std::vector<std::string> log = {"TIDO: CleanCDM: Entering"};
    for (const char* parent : {"HKEY_LOCAL_MACHINE\\Software\\Omb\\Gorvo\\Caldrimon\\",
                               "HKEY_LOCAL_MACHINE\\Software\\Tav\\Gorvo\\Caldrimon\\",
                               "HKEY_CURRENT_USER\\Software\\Omb\\Gorvo\\Caldrimon\\",
                               "HKEY_CURRENT_USER\\Software\\Tav\\Gorvo\\Caldrimon\\",
                               "\\.DEFAULT\\Software\\Omb\\Gorvo\\Caldrimon\\",
                               "\\.DEFAULT\\Software\\Tav\\Gorvo\\Caldrimon\\"}) {
        for (const std::string& subKey :
             {std::string("Corla"), test::Narrow(ElevationPolicyA),
              test::Narrow(PlatformComponentId), test::Narrow(ElevationPolicyB)})
            log.push_back(Recurse(outcome, parent + subKey));
    }
    log.push_back("TIDO: CleanCDM: Exiting");
    log.push_back("TIDO: CleanRegistryFinally: Entering");
    for (const std::string& key :
         {hklm + "Gorvo\\Corla", hkcu + "Gorvo\\Corla", hkcu + "Gorvo\\Corla Pellow",
          hkcu + "Gorvo\\Y2K", hkcu + "Omb\\Corla", hkcu + "Tav\\Corla"})
        log.push_back(Recurse(outcome, key));
    log.push_back("TIDO: CleanRegistryFinally: Exiting");
    log.push_back("TIDO: CleanRegistryMUIPack: Entering");
    for (const std::string& key :
         {hklm + "Gorvo\\MUIPack", hklm + "Gorvo\\MUIPack80", hklm + "Gorvo\\MUIPack70",
          hkcu + "Omb\\MUIPack", hkcu + "Tav\\MUIPack", hkcu + "Gorvo\\MUIPack80",
          hkcu + "Gorvo\\MUIPack70"})
        log.push_back(Recurse(outcome, key));
    log.push_back("TIDO: CleanRegistryMUIPack: Exiting");
    return log;
}

// Larkspan's removal: nothing of the client platform, not even a line.
std::vector<std::string> LarkspanLog(const std::string& outcome)
{
    const std::string hklm = "HKEY_LOCAL_MACHINE\\Software\\", hkcu = "HKEY_CURRENT_USER\\Software\\";
    return {
        "TIDO: CleanRegistryFinally: Entering",
        Recurse(outcome, hklm + "Omb\\OLKA"),
        Recurse(outcome, hkcu + "Omb\\OLKA"),
        Recurse(outcome, hklm + "Tav\\TLKA"),
        Recurse(outcome, hkcu + "Tav\\TLKA"),
        "TIDO: CleanRegistryFinally: Exiting",
        "TIDO: CleanRegistryMUIPack: Entering",
        Recurse(outcome, hklm + "Omb\\OLKAMUIPack"),
        Recurse(outcome, hkcu + "Omb\\OLKAMUIPack"),
        Recurse(outcome, hklm + "Tav\\TLKAMUIPack"),
        Recurse(outcome, hkcu + "Tav\\TLKAMUIPack"),
        "TIDO: CleanRegistryMUIPack: Exiting",
    };
}

struct RunCase {
    const char* name;
    BOOL larkspan;
    BOOL coexist;
};

void PrintTo(const RunCase& run, std::ostream* out)
{
    *out << run.name;
}

class FinalKeys : public ::testing::TestWithParam<RunCase> {
protected:
    // Each key holds a value and a small tree, so a removal must take everything below it.
    void SeedMachine()
    {
        for (const SeededKey& key : TableKeys()) {
            machine.SetString(key.hive, key.path, L"Owner", L"Corla", key.view);
            machine.CreateKey(key.hive, key.path + L"\\Settings\\Window", key.view);
        }
        for (const OtherKey& key : kKeysThatStay)
            machine.SetString(key.hive, key.path, L"Owner", L"someone else", key.view);
    }

    // Runs the three steps as the uninstall sequence does; the result is CleanCDM's.
    bool RunSteps()
    {
        dialog.m_bLarkspan = GetParam().larkspan;
        dialog.m_bCoexist = GetParam().coexist;
        bool cdm = dialog.CleanCDM();
        dialog.CleanRegistryFinally();
        dialog.CleanRegistryMUIPack();
        return cdm;
    }

    ProductSet Selected() const
    {
        return GetParam().larkspan ? ProductSet::Larkspan : ProductSet::Corla;
    }

    std::vector<std::string> ExpectedLog(const std::string& outcome) const
    {
        return GetParam().larkspan ? LarkspanLog(outcome) : CorlaLog(outcome);
    }

    // Which of the table's and the other keys exist, in a fixed order.
    static std::vector<bool> Snapshot()
    {
        std::vector<bool> present;
        for (const SeededKey& key : TableKeys())
            present.push_back(Machine::KeyExists(key.hive, key.path, key.view));
        for (const OtherKey& key : kKeysThatStay)
            present.push_back(Machine::KeyExists(key.hive, key.path, key.view));
        return present;
    }

    Machine machine;
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
};

TEST_P(FinalKeys, DeletesTheSelectedProductsKeysOnly)
{
    SeedMachine();
    EXPECT_EQ(RunSteps(), !GetParam().larkspan);

    for (const SeededKey& key : TableKeys())
        EXPECT_EQ(Machine::KeyExists(key.hive, key.path, key.view), key.set != Selected())
            << test::Narrow(key.path) << (key.view == View::k32 ? " (32)" : " (64)");
    for (const OtherKey& key : kKeysThatStay)
        EXPECT_TRUE(Machine::KeyExists(key.hive, key.path, key.view)) << test::Narrow(key.path);
    EXPECT_EQ(test::ReadLogLines(GetParam().larkspan), ExpectedLog(kDeleted));
    EXPECT_TRUE(test::ReadLogLines(!GetParam().larkspan).empty());
}

TEST_P(FinalKeys, SecondRunChangesNothingAndFindsNothing)
{
    SeedMachine();
    RunSteps();
    std::vector<bool> afterFirstRun = Snapshot();
    test::ClearLogs();

    RunSteps();
    EXPECT_EQ(Snapshot(), afterFirstRun);
    EXPECT_EQ(test::ReadLogLines(GetParam().larkspan), ExpectedLog(kNotFound));
}

TEST_P(FinalKeys, BareMachineLogsEveryParentAsUnopenable)
{
    RunSteps();
    EXPECT_EQ(test::ReadLogLines(GetParam().larkspan), ExpectedLog(kCannotOpen));
}

// Co-existence of the two products changes nothing in these steps.
INSTANTIATE_TEST_SUITE_P(Runs, FinalKeys,
                         ::testing::Values(RunCase{"Corla", 0, 0}, RunCase{"Larkspan", 1, 0},
                                           RunCase{"CorlaBesideLarkspan", 0, 1},
                                           RunCase{"LarkspanBesideCorla", 1, 1}),
                         [](const ::testing::TestParamInfo<RunCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace

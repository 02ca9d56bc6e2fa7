// The installation scan on seeded installer data and product keys, and the choice of the
// installation asked for on the command line.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "support/fake_system.h"
#include "support/log_reader.h"
#include "support/machine.h"

#include <gtest/gtest.h>

using test::Machine;
using test::View;

namespace {

using Names = std::vector<std::pair<std::wstring, std::wstring>>;  // instance key, display name

class Scan : public ::testing::Test {
protected:
    void SetUp() override { app.m_bQuiet = 1; }

    Names Records() const
    {
        Names records;
        for (const auto& entry : dialog.m_mapInstances)
            records.emplace_back(entry.first, entry.second->m_strDisplayName);
        return records;
    }

    Machine machine;
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
};

TEST_F(Scan, RecordsNamesBeginningWithARecognisedNameInRegistryOrder)
{
    machine.ImportReg(L"scan_products.reg", View::k64);
    // Installer data win: the product key is not looked at.
    machine.SetString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Gorvo\\Corla", L"Description",
                      L"Omb Corla 9", View::k32);
    dialog.ScanInstallations();

    EXPECT_EQ(Records(), (Names{
                             {L"TIDOTEST01", L"Tav Corla 12"},
                             {L"TIDOTEST05", L"Omb Corla 10"},
                             {L"TIDOTEST06", L"Gorvo Corla 8"},
                             {L"TIDOTEST07", L"Omb Larkspan 9"},
                             {L"TIDOTEST08", L"Tav Larkspan 11"},
                             {L"TIDOTEST11", L"Tav Corla mui pack"},
                             {L"TIDOTEST13", L"Tav CorlaX"},
                         }));
    EXPECT_EQ(dialog.m_mapComboCodes,
              (std::map<int, std::wstring>{{0, L"TIDOTEST01"}, {1, L"TIDOTEST05"},
                                           {2, L"TIDOTEST06"}, {3, L"TIDOTEST07"},
                                           {4, L"TIDOTEST08"}, {5, L"TIDOTEST11"},
                                           {6, L"TIDOTEST13"}}));
    EXPECT_EQ(dialog.m_bMuiPackFound, 1);

    const CCorlaInstance& first = *dialog.m_mapInstances.Find(L"TIDOTEST01");
    EXPECT_EQ(first.m_strDisplayVersion, L"12.0.3");
    EXPECT_EQ(first.m_strLocalPackage, L"C:\\Windows\\Installer\\1a2b3c.msi");
    EXPECT_EQ(first.m_strInstallDate, L"20240305");
    EXPECT_EQ(first.m_strInstallLocation, L"C:\\Program Files (x86)\\Tav\\Corla\\");
    EXPECT_EQ(first.m_strInstallSource, L"D:\\Setup\\");
    EXPECT_EQ(first.m_strEstimatedSize, L"123456");
    EXPECT_EQ(first.m_strUninstallString, L"MsiExec.exe /X{7E570001-0000-0000-0000-000000000001}");
    EXPECT_EQ(first.m_nVersionMajor, 12u);
    EXPECT_EQ(first.m_nVersionMinor, 3u);
    const CCorlaInstance& sparse = *dialog.m_mapInstances.Find(L"TIDOTEST07");
    EXPECT_EQ(sparse.m_strEstimatedSize, L"0");
    EXPECT_EQ(sparse.m_nVersionMajor, 0u);

    // The first record is the selected installation; the second feeds the second removal.
    EXPECT_EQ(dialog.m_strDisplayName, L"Tav Corla 12");
    EXPECT_EQ(dialog.m_strUninstallString, first.m_strUninstallString);
    EXPECT_EQ(dialog.m_nVersionMajor, 12u);
    EXPECT_EQ(dialog.m_strSecondUninstallString,
              L"MsiExec.exe /X{7E570001-0000-0000-0000-000000000005}");
    EXPECT_TRUE(test::ReadLogLines().empty());
}

TEST_F(Scan, TwoRegistrationsWithOneNameGiveTwoRecordsAndLines)
{
    machine.ImportReg(L"scan_same_name.reg", View::k64);
    dialog.ScanInstallations();
    EXPECT_EQ(Records(), (Names{{L"TIDOTEST21", L"Tav Corla 12"}, {L"TIDOTEST22", L"Tav Corla 12"}}));
    EXPECT_EQ(dialog.m_mapComboCodes,
              (std::map<int, std::wstring>{{0, L"TIDOTEST21"}, {1, L"TIDOTEST22"}}));
    EXPECT_EQ(dialog.m_strUninstallString, L"MsiExec.exe /X{7E570001-0000-0000-0000-000000000021}");
    EXPECT_EQ(dialog.m_strSecondUninstallString,
              L"MsiExec.exe /X{7E570001-0000-0000-0000-000000000022}");
}

TEST_F(Scan, SecondUninstallStringIsLeftEmptyWhenBothProductsCoexistOrOneIsRegistered)
{
    machine.ImportReg(L"scan_same_name.reg", View::k64);
    dialog.m_bCoexist = 1;
    dialog.ScanInstallations();
    EXPECT_EQ(dialog.m_strSecondUninstallString, L"");

    Machine::DeleteKeyTree(HKEY_LOCAL_MACHINE,
                           L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\"
                           L"S-1-5-18\\Products\\TIDOTEST22",
                           View::k64);
    dialog.m_bCoexist = 0;
    dialog.m_strSecondUninstallString = L"from an earlier scan";
    dialog.ScanInstallations();
    EXPECT_EQ(Records(), (Names{{L"TIDOTEST21", L"Tav Corla 12"}}));
    EXPECT_EQ(dialog.m_strSecondUninstallString, L"");
}

TEST_F(Scan, ALanguagePackAloneIsNotAnInstallationSoTheProductKeysAreRead)
{
    machine.ImportReg(L"scan_language_pack.reg", View::k64);
    machine.SetString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Gorvo\\Corla", L"Version", L"9.0.1",
                      View::k32);
    dialog.ScanInstallations();
    EXPECT_EQ(dialog.m_bMuiPackFound, 1);
    EXPECT_EQ(Records(), (Names{{L"temp_arp", L"Omb Corla"}}));
    EXPECT_EQ(dialog.m_strDisplayName, L"Omb Corla");
    EXPECT_EQ(dialog.m_strDisplayVersion, L"9.0.1");
    EXPECT_EQ(dialog.m_nVersionMajor, 9u);
    EXPECT_EQ(dialog.m_strUninstallString, L"");
}

TEST_F(Scan, ProductKeysGiveOneCorlaAndOneLarkspanRecordPreferringTlka)
{
    struct Value {
        const wchar_t* path;
        const wchar_t* name;
        const wchar_t* data;
    };
    struct Record {
        const wchar_t* key;
        const wchar_t* name;
        const wchar_t* version;
        DWORD major;
    };
    struct Case {
        std::vector<Value> seeded;
        std::vector<Record> expected;
    } cases[] = {
        {{{L"SOFTWARE\\Gorvo\\Corla", L"Version", L"10.5.1"}},
         {{L"temp_arp", L"Omb Corla", L"10.5.1", 10}}},
        {{{L"SOFTWARE\\Gorvo\\Corla", L"Description", L"Tav Corla 12"},
          {L"SOFTWARE\\Gorvo\\Corla", L"Version", L""}},
         {{L"temp_arp", L"Tav Corla 12", L"", 0}}},
        {{{L"SOFTWARE\\Gorvo\\Corla", L"Version", L"8"},
          {L"SOFTWARE\\Tav\\TLKA", L"Version", L"11.0"},
          {L"SOFTWARE\\Omb\\OLKA", L"Description", L"Omb Larkspan 9"}},
         {{L"temp_arp", L"Omb Corla", L"8", 8}, {L"temp_arp_olka", L"Tav Larkspan", L"11.0", 11}}},
        {{{L"SOFTWARE\\Omb\\OLKA", L"Description", L"Omb Larkspan 9"},
          {L"SOFTWARE\\Omb\\OLKA", L"Version", L"9.1"}},
         {{L"temp_arp_tlka", L"Omb Larkspan 9", L"9.1", 9}}},
        {{{L"SOFTWARE\\Omb\\OLKA", L"Version", L"x1"}},
         {{L"temp_arp_tlka", L"Omb Larkspan", L"x1", 0}}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        Machine::RemoveLeftovers();
        for (const Value& value : cases[i].seeded)
            machine.SetString(HKEY_LOCAL_MACHINE, value.path, value.name, value.data, View::k32);
        dialog.m_mapComboCodes.clear();
        dialog.ScanInstallations();

        std::map<int, std::wstring> codes;
        ASSERT_EQ(dialog.m_mapInstances.GetCount(), cases[i].expected.size());
        for (size_t r = 0; r < cases[i].expected.size(); ++r) {
            const Record& expected = cases[i].expected[r];
            const CCorlaInstance* record = dialog.m_mapInstances.Find(expected.key);
            ASSERT_NE(record, nullptr) << testing::PrintToString(std::wstring(expected.key));
            EXPECT_EQ(record->m_strDisplayName, expected.name);
            EXPECT_EQ(record->m_strDisplayVersion, expected.version);
            EXPECT_EQ(record->m_nVersionMajor, expected.major);
            codes[static_cast<int>(r)] = expected.key;
        }
        EXPECT_EQ(dialog.m_mapComboCodes, codes);
        EXPECT_EQ(dialog.m_strDisplayName, cases[i].expected[0].name);
    }
}

TEST_F(Scan, NothingFoundLeavesNoRecordsAndSelectsNothing)
{
    dialog.m_strDisplayName = L"kept";
    dialog.m_bLarkspan = 1;
    dialog.ScanInstallations();
    EXPECT_TRUE(dialog.m_mapInstances.IsEmpty());
    EXPECT_TRUE(dialog.m_mapComboCodes.empty());
    EXPECT_EQ(dialog.m_bMuiPackFound, 0);
    EXPECT_EQ(dialog.m_strDisplayName, L"kept");
    EXPECT_EQ(dialog.m_bLarkspan, 0);
}

TEST(SelectProductInstance, TakesTheFirstRecordInScanOrderNamingTheProduct)
{
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
    const wchar_t* records[][2] = {
        {L"K1", L"Tav Larkspan 11"}, {L"K2", L"Omb Corla 10"}, {L"K3", L"Tav Corla 12"},
        {L"K4", L"Omb Larkspan 9"},
    };
    for (const auto& record : records)
        dialog.m_mapInstances.Add(record[0]).m_strDisplayName = record[1];
    struct Case {
        int product;
        const wchar_t* expected;
    } cases[] = {{0, L"before"}, {1, L"K2"}, {2, L"K1"}};
    for (const Case& c : cases) {
        app.m_nProduct = c.product;
        dialog.m_strTargetCode = L"before";
        dialog.SelectProductInstance();
        EXPECT_EQ(dialog.m_strTargetCode, c.expected) << c.product;
    }

    dialog.m_mapInstances.RemoveAll();
    dialog.m_mapInstances.Add(L"K2").m_strDisplayName = L"Omb Corla 10";
    app.m_nProduct = 2;
    dialog.m_strTargetCode = L"before";
    dialog.SelectProductInstance();
    EXPECT_EQ(dialog.m_strTargetCode, L"before");
}

}  // namespace

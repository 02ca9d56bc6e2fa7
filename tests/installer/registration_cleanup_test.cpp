// Removal of the product's registrations by name: the list of installed programs (32-bit
// view), the installer's products with their first upgrade code, and per-machine data.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "support/fake_system.h"
#include "support/log_reader.h"
#include "support/machine.h"

#include <gtest/gtest.h>

using test::Machine;
using test::View;

namespace {

const std::wstring kUninstall = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::wstring kProducts = L"SOFTWARE\\Classes\\Installer\\Products\\";
const std::wstring kUpgradeCodes = L"SOFTWARE\\Classes\\Installer\\UpgradeCodes\\";
const std::wstring kUserData =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Products\\";

class CleanRegistryNoArp : public ::testing::Test {
protected:
    void SetUp() override
    {
        machine.ImportReg(L"noarp_uninstall.reg", View::k32);
        machine.ImportReg(L"noarp_installer.reg", View::k64);
    }
    static bool Has(const std::wstring& path, View view = View::k64)
    {
        return Machine::KeyExists(HKEY_LOCAL_MACHINE, path, view);
    }

    Machine machine;
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
};

TEST_F(CleanRegistryNoArp, CorlaRemovalTakesCorlaRegistrationsOnly)
{
    dialog.CleanRegistryNoARP();
    struct Case {
        std::wstring path;
        View view;
        bool remains;
    } cases[] = {
        {kUninstall + L"TIDOTEST-U1", View::k32, false},
        {kUninstall + L"TIDOTEST-U2", View::k32, false},  // adjacent, and a language pack
        {kUninstall + L"TIDOTEST-U3", View::k32, true},   // Larkspan
        {kUninstall + L"TIDOTEST-U4", View::k32, true},   // lower case
        {kUninstall + L"TIDOTEST-U5", View::k32, true},   // prefix not at the start
        {kProducts + L"TIDOTESTP1", View::k64, false},
        {kProducts + L"TIDOTESTP2", View::k64, true},
        {kUpgradeCodes + L"TIDOTESTUC1", View::k64, false},  // the first listing P1
        {kUpgradeCodes + L"TIDOTESTUC2", View::k64, true},   // a second one stays
        {kUpgradeCodes + L"TIDOTESTUC3", View::k64, true},
        {kUserData + L"TIDOTESTUD1", View::k64, false},
        {kUserData + L"TIDOTESTUD2", View::k64, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Has(c.path, c.view), c.remains) << testing::PrintToString(c.path);

    std::vector<std::string> log = test::ReadLogLines();
    const std::string hklm = "HKEY_LOCAL_MACHINE\\";
    const std::string uninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    const std::string products = "SOFTWARE\\Classes\\Installer\\Products";
    const std::string userData =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Products";
    const std::string deleted = "TIDO: DeleteRegistryRecurse: Registry subvalue deleted recursively: ";
    EXPECT_EQ(log, (std::vector<std::string>{
        "TIDO: CleanRegistryNoARP: Entering ",
        "TIDO: CleanRegistryNoARP: Corla uninstall string found, should remove: " + uninstall + "\\TIDOTEST-U1",
        deleted + hklm + uninstall + "\\TIDOTEST-U1",
        "TIDO: CleanRegistryNoARP: Corla uninstall string found, should remove: " + uninstall + "\\TIDOTEST-U2",
        deleted + hklm + uninstall + "\\TIDOTEST-U2",
        "TIDO: CleanRegistryNoARP: Corla installer string found, should remove: " + products + "\\TIDOTESTP1",
        deleted + hklm + products + "\\TIDOTESTP1",
        "TIDO: CleanRegistryNoARP: Corla upgrade code string found, should remove: SOFTWARE\\Classes\\Installer\\UpgradeCodes\\TIDOTESTUC1",
        deleted + hklm + "SOFTWARE\\Classes\\Installer\\UpgradeCodes\\TIDOTESTUC1",
        "TIDO: CleanRegistryNoARP: Corla install string found, should remove: " + userData + "\\TIDOTESTUD1",
        deleted + hklm + userData + "\\TIDOTESTUD1",
        "TIDO: CleanRegistryNoARP: Exiting "}));
}

TEST_F(CleanRegistryNoArp, LarkspanRemovalLeavesCorlaAlone)
{
    dialog.m_bLarkspan = 1;
    dialog.CleanRegistryNoARP();
    EXPECT_TRUE(Has(kUninstall + L"TIDOTEST-U1", View::k32));
    EXPECT_FALSE(Has(kUninstall + L"TIDOTEST-U3", View::k32));
    EXPECT_TRUE(Has(kProducts + L"TIDOTESTP1"));
    EXPECT_FALSE(Has(kProducts + L"TIDOTESTP2"));
    EXPECT_FALSE(Has(kUpgradeCodes + L"TIDOTESTUC3"));
    EXPECT_TRUE(Has(kUserData + L"TIDOTESTUD1"));
    EXPECT_FALSE(Has(kUserData + L"TIDOTESTUD2"));
}

}  // namespace

// A real installation, made by Wine's Windows Installer from a small Corla package, found by
// the scan and removed by the installer-data tool and the registration cleanup: afterwards the
// installer no longer knows the product, and another installed product is untouched.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "zap/product_code.h"
#include "support/fake_system.h"
#include "support/machine.h"
#include "support/paths.h"
#include "support/process.h"

#include <gtest/gtest.h>
#include <msi.h>

using test::Machine;
using test::View;

namespace {

const wchar_t kCorlaCode[] = L"{7C0D1A5E-3B2F-4C6A-9E81-5D4C3B2A1F09}";
const wchar_t kOtherCode[] = L"{5C6D7E8F-9A0B-4C1D-8E2F-3A4B5C6D7E8F}";  // "Tido Zap Test B"

DWORD Msiexec(const std::wstring& arguments)
{
    return test::RunProcess(L"msiexec.exe " + arguments, 90000).exitCode;
}

class InstalledPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Msiexec(L"/i " + test::QuoteArgument(test::BuildPath(L"packages\\corla_package.msi")) + L" /qn"), 0u);
        ASSERT_EQ(Msiexec(L"/i " + test::QuoteArgument(test::BuildPath(L"tests\\zap\\package_b.msi")) + L" /qn"), 0u);
        app.m_bQuiet = 1;
    }
    void TearDown() override
    {
        Msiexec(std::wstring(L"/x ") + kCorlaCode + L" /qn");
        Msiexec(std::wstring(L"/x ") + kOtherCode + L" /qn");
    }

    Machine machine;
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
};

TEST_F(InstalledPackage, ScanFindsItAndTheInstallerCleanupRemovesEveryRegistration)
{
    dialog.GetUserMode();
    dialog.ScanInstallations();
    ASSERT_EQ(dialog.m_strDisplayName, L"Tav Corla 11");
    ASSERT_NE(dialog.m_strUninstallString.find(kCorlaCode), std::wstring::npos);
    EXPECT_EQ(dialog.m_nVersionMajor, 11u);

    dialog.RunMSIZap();
    dialog.CleanRegistryNoARP();

    EXPECT_EQ(MsiQueryProductStateW(kCorlaCode), INSTALLSTATE_UNKNOWN);
    std::wstring packed = PackedGuid(kCorlaCode);
    const std::wstring locations[] = {
        L"SOFTWARE\\Classes\\Installer\\Products\\" + packed,
        L"SOFTWARE\\Classes\\Installer\\Features\\" + packed,
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Products\\" + packed,
    };
    for (const std::wstring& location : locations)
        EXPECT_FALSE(Machine::KeyExists(HKEY_LOCAL_MACHINE, location)) << test::Narrow(location);
    EXPECT_FALSE(Machine::KeyExists(HKEY_LOCAL_MACHINE,
                                    std::wstring(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + kCorlaCode,
                                    View::k32));
    EXPECT_EQ(Msiexec(std::wstring(L"/x ") + kCorlaCode + L" /qn"), 1605u);

    EXPECT_EQ(MsiQueryProductStateW(kOtherCode), INSTALLSTATE_DEFAULT);
    EXPECT_EQ(Msiexec(std::wstring(L"/x ") + kOtherCode + L" /qn"), 0u);
}

}  // namespace

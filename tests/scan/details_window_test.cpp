// The details box, the instance list and the buttons of the full dialog on a virtual display.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "support/fake_system.h"
#include "support/machine.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The full dialog with the test's body in place of its start-up work.
class DetailsDialog : public CTidoDlg {
public:
    DetailsDialog(CTidoApp* app, std::function<void(DetailsDialog&)> body)
        : CTidoDlg(102, app), body_(std::move(body))
    {
    }
    bool Enabled(int id) const { return IsWindowEnabled(GetItem(id)) != FALSE; }

protected:
    BOOL OnInitDialog() override
    {
        body_(*this);
        EndDialog(IDOK);
        return TRUE;
    }

private:
    std::function<void(DetailsDialog&)> body_;
};

class DetailsWindow : public ::testing::Test {
protected:
    void Run(std::function<void(DetailsDialog&)> body)
    {
        DetailsDialog dialog(&app, [&](DetailsDialog& d) {
            ran = true;
            body(d);
        });
        ASSERT_EQ(dialog.DoModal(), IDOK);
        ASSERT_TRUE(ran);
    }

    static void AddRecords(CTidoDlg& dialog)
    {
        CCorlaInstance& record = dialog.m_mapInstances.Add(L"CODE1");
        record.m_strDisplayName = L"Tav Corla 12";
        record.m_strDisplayVersion = L"12.0.3";
        record.m_strInstallDate = L"20240305";
        record.m_strInstallLocation = L"C:\\Apps\\Corla\\";
        record.m_strInstallSource = L"D:\\Setup\\";
        record.m_strLocalPackage = L"C:\\Windows\\Installer\\1a2b.msi";
        record.m_strUninstallString = L"MsiExec.exe /X{1}";
        record.m_strEstimatedSize = L"123456";
        record.m_nVersionMajor = 12;
        record.m_nVersionMinor = 3;
        CCorlaInstance& fallback = dialog.m_mapInstances.Add(L"temp_arp_olka");
        fallback.m_strDisplayName = L"Tav Larkspan";
        fallback.m_strDisplayVersion = L"11.0";
    }

    test::Machine machine;
    test::FakeSystem system;
    CTidoApp app{system};
    bool ran = false;
};

TEST_F(DetailsWindow, ShowsAllDetailsOfAnInstallerRecordAndOnlyTheVersionOfAFallback)
{
    Run([](DetailsDialog& dialog) {
        AddRecords(dialog);
        dialog.m_comboInstances.Enable(false);
        dialog.ShowInstanceDetails(L"CODE1");
        EXPECT_EQ(dialog.m_editDetails.GetText(),
                  L"Version: 12.0.3\r\nDate Installed: 20240305\r\n"
                  L"Installed Location: C:\\Apps\\Corla\\\r\nInstalled from: D:\\Setup\\\r\n"
                  L"Local package: C:\\Windows\\Installer\\1a2b.msi\r\n"
                  L"Uninstall Command: MsiExec.exe /X{1}\r\nSize on disk: 123456\r\n"
                  L"Major Version: 12\r\nMinor Version: 3");
        EXPECT_TRUE(dialog.m_comboInstances.IsEnabled());

        dialog.ShowInstanceDetails(L"temp_arp_olka");
        EXPECT_EQ(dialog.m_editDetails.GetText(), L"Version: 11.0");
        EXPECT_EQ(dialog.m_bLarkspan, 1);

        dialog.ShowInstanceDetails(L"NOSUCHCODE");
        EXPECT_EQ(dialog.m_editDetails.GetText(), L"No Corla installations detected");
        EXPECT_EQ(dialog.m_strDisplayName, L"Tav Larkspan");
    });
}

TEST_F(DetailsWindow, NothingDetectedDisablesRemoveUnlessInWipeMode)
{
    Run([](DetailsDialog& dialog) {
        dialog.ShowInstanceDetails(L"");
        EXPECT_EQ(dialog.m_editDetails.GetText(), L"No Corla installations detected");
        EXPECT_FALSE(dialog.m_comboInstances.IsEnabled());
        const struct {
            int id;
            bool enabled;
        } controls[] = {{IDOK, false}, {IDCANCEL, true}, {1005, true}, {1008, false}, {1007, false}};
        for (const auto& control : controls)
            EXPECT_EQ(dialog.Enabled(control.id), control.enabled) << control.id;
    });
    app.m_bWipe = 1;
    Run([](DetailsDialog& dialog) {
        dialog.ShowInstanceDetails(L"");
        EXPECT_EQ(dialog.m_editDetails.GetText(),
                  L"No Corla installations detected\r\n\r\nTIDO is running in wipe mode.\r\n"
                  L"Corla registry entries and shortcuts can be removed.");
        EXPECT_TRUE(dialog.Enabled(IDOK));
    });
}

TEST_F(DetailsWindow, ASilentRunCopiesTheRecordWithoutTouchingAnyControl)
{
    app.m_bQuiet = 1;
    Run([](DetailsDialog& dialog) {
        AddRecords(dialog);
        dialog.m_editDetails.SetText(L"untouched");
        dialog.m_comboInstances.Enable(false);
        dialog.ShowInstanceDetails(L"CODE1");
        dialog.ShowInstanceDetails(L"");
        EXPECT_EQ(dialog.m_editDetails.GetText(), L"untouched");
        EXPECT_FALSE(dialog.m_comboInstances.IsEnabled());
        EXPECT_TRUE(dialog.Enabled(IDOK));
        EXPECT_EQ(dialog.m_strDisplayName, L"Tav Corla 12");
    });
}

TEST_F(DetailsWindow, ScanListsInstallationsInScanOrderAndSelectsTheFirst)
{
    machine.ImportReg(L"scan_products.reg", test::View::k64);
    Run([](DetailsDialog& dialog) {
        dialog.ScanInstallations();
        std::vector<std::wstring> lines;
        for (int i = 0; i < dialog.m_comboInstances.GetCount(); ++i)
            lines.push_back(dialog.m_comboInstances.GetItemText(i));
        EXPECT_EQ(lines, (std::vector<std::wstring>{L"Tav Corla 12", L"Omb Corla 10",
                                                    L"Gorvo Corla 8", L"Omb Larkspan 9",
                                                    L"Tav Larkspan 11", L"Tav Corla mui pack",
                                                    L"Tav CorlaX"}));
        EXPECT_EQ(dialog.m_comboInstances.GetCurSel(), 0);
        EXPECT_EQ(dialog.m_mapComboCodes.at(1), L"TIDOTEST05");
        EXPECT_EQ(dialog.m_editDetails.GetText().substr(0, 24), L"Version: 12.0.3\r\nDate In");
    });
}

}  // namespace

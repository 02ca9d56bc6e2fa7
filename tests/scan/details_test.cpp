// The selected installation's values in the run state (no window needed).
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "support/fake_system.h"

#include <gtest/gtest.h>

namespace {

class Details : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.m_bQuiet = 1;
        Add(L"CODE1", L"Tav Corla 12", L"12.0.3", L"MsiExec.exe /X{1}", 12);
        Add(L"CODE2", L"Tav Larkspan 11", L"11.0", L"MsiExec.exe /X{2}", 11);
        Add(L"CODE3", L"Omb Larkspan 9", L"9.0", L"MsiExec.exe /X{3}", 9);
        Add(L"CODE4", L"Gorvo Tav Larkspan 8", L"8.0", L"MsiExec.exe /X{4}", 8);
        Add(L"CODE5", L"tav larkspan 11", L"11.1", L"MsiExec.exe /X{5}", 11);
        Add(L"temp_arp", L"Omb Corla", L"9.0.1", L"", 9);
    }

    void Add(const wchar_t* key, const wchar_t* name, const wchar_t* version,
             const wchar_t* uninstall, DWORD major)
    {
        CCorlaInstance& record = dialog.m_mapInstances.Add(key);
        record.m_strDisplayName = name;
        record.m_strDisplayVersion = version;
        record.m_strUninstallString = uninstall;
        record.m_nVersionMajor = major;
        record.m_nVersionMinor = 7;
    }

    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
};

TEST_F(Details, CopiesTheRecordAndMarksLarkspanOnlyByTheStartOfTheName)
{
    struct Case {
        const wchar_t* key;
        const wchar_t* name;
        const wchar_t* version;
        const wchar_t* uninstall;
        DWORD major;
        BOOL larkspan;
    } cases[] = {
        {L"CODE2", L"Tav Larkspan 11", L"11.0", L"MsiExec.exe /X{2}", 11, 1},
        {L"CODE1", L"Tav Corla 12", L"12.0.3", L"MsiExec.exe /X{1}", 12, 0},
        {L"CODE3", L"Omb Larkspan 9", L"9.0", L"MsiExec.exe /X{3}", 9, 1},
        {L"CODE4", L"Gorvo Tav Larkspan 8", L"8.0", L"MsiExec.exe /X{4}", 8, 0},
        {L"CODE5", L"tav larkspan 11", L"11.1", L"MsiExec.exe /X{5}", 11, 0},
        // A product-key record has no installer data: the installer-data step is skipped.
        {L"temp_arp", L"Omb Corla", L"9.0.1", L"", 9, 0},
    };
    for (const Case& c : cases) {
        dialog.ShowInstanceDetails(c.key);
        EXPECT_EQ(dialog.m_strDisplayName, c.name);
        EXPECT_EQ(dialog.m_strDisplayVersion, c.version);
        EXPECT_EQ(dialog.m_strUninstallString, c.uninstall);
        EXPECT_EQ(dialog.m_nVersionMajor, c.major);
        EXPECT_EQ(dialog.m_bLarkspan, c.larkspan) << testing::PrintToString(std::wstring(c.key));
    }
}

TEST_F(Details, AnUnknownOrEmptyKeyKeepsTheSelectionButNotItsLarkspanMark)
{
    for (const wchar_t* key : {L"NOSUCHCODE", L"TEMP_ARP", L""}) {
        dialog.ShowInstanceDetails(L"CODE2");
        dialog.ShowInstanceDetails(key);
        EXPECT_EQ(dialog.m_strDisplayName, L"Tav Larkspan 11");
        EXPECT_EQ(dialog.m_strUninstallString, L"MsiExec.exe /X{2}");
        EXPECT_EQ(dialog.m_nVersionMajor, 11u);
        EXPECT_EQ(dialog.m_bLarkspan, 0);
    }
}

}  // namespace

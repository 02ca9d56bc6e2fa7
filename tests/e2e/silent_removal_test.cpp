// Silent removals by tido.exe itself on seeded machines.
#include "e2e_support.h"

#include <gtest/gtest.h>

#include <memory>

using e2e::Logged;
using e2e::RunTido;
using e2e::Status;
using test::Machine;
using test::View;

namespace {

const wchar_t kCorlaKey[] = L"SOFTWARE\\Gorvo\\Corla";
const std::wstring kRoot = L"C:\\TidoTest";
const std::wstring kProgram = kRoot + L"\\Tav\\Corla";
const std::wstring kData = kRoot + L"\\Users\\Data";

class SilentRemoval : public ::testing::Test {
protected:
    // A Corla installation known only by its product key (no installer data): its program
    // directory with an ini file, runtime folders and a user's file beside it.
    void SeedCorla(DWORD multiUser)
    {
        machine.SetString(HKEY_LOCAL_MACHINE, kCorlaKey, L"Path", kProgram + L"\\", View::k32);
        machine.SetString(HKEY_LOCAL_MACHINE, kCorlaKey, L"Description", L"Tav Corla 11", View::k32);
        machine.SetString(HKEY_LOCAL_MACHINE, kCorlaKey, L"Version", L"11.2", View::k32);
        machine.SetDword(HKEY_LOCAL_MACHINE, kCorlaKey, L"MultiUser", multiUser, View::k32);
        machine.SetString(HKEY_LOCAL_MACHINE, kCorlaKey, L"CommonDataPath", kRoot + L"\\Common", View::k32);
        machine.WriteFile(kProgram + L"\\corla.ini", "[Corla]\r\nDirectory=C:\\TidoTest\\Users\\Data\r\n");
        machine.WriteFile(kProgram + L"\\corla.exe", "program");
        machine.WriteFile(kProgram + L"\\framework\\rcp\\plugin.jar", "jar");
        machine.WriteFile(kProgram + L"\\bin\\tool.dll", "dll");
        machine.WriteFile(kData + L"\\mail.db", "user data");
        machine.WriteFile(kRoot + L"\\Common\\Tav\\Corla\\Data\\shared.db", "shared data");
        machine.WriteFile(kRoot + L"\\Keep\\letter.txt", "not the product's");
    }
    std::vector<std::string> Log() { return test::ReadLogLines(); }

    Machine machine;
};

TEST_F(SilentRemoval, EmptyMachineFailsUnlessWiping)
{
    EXPECT_EQ(RunTido(L"-qn"), 1603u);
    EXPECT_EQ(Status(), "FAILED");
    EXPECT_TRUE(Logged(Log(), "TIDO: No Corla installations detected."));

    test::ClearLogs();
    EXPECT_EQ(RunTido(L"-qn -wipe"), 0u);
    EXPECT_EQ(Status(), "OK");
    std::vector<std::string> log = Log();
    EXPECT_TRUE(Logged(log, "TIDO:  will be removed by TIDO. "));
    EXPECT_EQ(log.back(), "TIDO: TIDO has successfully removed Corla by wipe mode. ");
}

TEST_F(SilentRemoval, SingleUserWithProgramAndDataFiles)
{
    SeedCorla(0);
    EXPECT_EQ(RunTido(L"-qn -rp -rd"), 0u);
    EXPECT_EQ(Status(), "OK");
    std::vector<std::string> log = Log();
    EXPECT_TRUE(Logged(log, "TIDO: DoUninstall: No Corla ARP entry found, skip running msizap"));
    EXPECT_TRUE(Logged(log, "TIDO: SetStatusText: Set status text to: Removing program files..."));
    EXPECT_TRUE(Logged(log, "TIDO: SetStatusText: Set status text to: Removing data files..."));
    EXPECT_EQ(log.back(), "TIDO: TIDO has successfully removed Tav Corla 11 ");
    for (const std::wstring& gone : {kProgram + L"\\corla.exe", kProgram + L"\\framework",
                                     kProgram + L"\\bin", kData})
        EXPECT_FALSE(Machine::Exists(gone)) << test::Narrow(gone);
    EXPECT_TRUE(Machine::Exists(kRoot + L"\\Keep\\letter.txt"));
    EXPECT_TRUE(Machine::Exists(kRoot + L"\\Common\\Tav\\Corla\\Data\\shared.db"));
    EXPECT_FALSE(Machine::KeyExists(HKEY_LOCAL_MACHINE, kCorlaKey, View::k32));
}

TEST_F(SilentRemoval, MultiUserKeepsDataButRemovesSharedData)
{
    SeedCorla(1);
    EXPECT_EQ(RunTido(L"-qn -rd -rs"), 0u);
    EXPECT_EQ(Status(), "OK");
    EXPECT_TRUE(Logged(Log(), "TIDO: DoUninstall: Data directory was not removed since Corla was "
                              "installed in Multi user mode"));
    EXPECT_TRUE(Machine::Exists(kData + L"\\mail.db"));
    EXPECT_FALSE(Machine::Exists(kRoot + L"\\Common\\Tav\\Corla\\Data"));
    EXPECT_TRUE(Machine::Exists(kProgram + L"\\corla.exe"));  // no -rp
}

TEST_F(SilentRemoval, ChosenProductMissingOrBesideTheOther)
{
    SeedCorla(0);
    EXPECT_EQ(RunTido(L"-qn -ri"), 1603u);  // only Corla is installed
    EXPECT_EQ(Status(), "FAILED");
    EXPECT_TRUE(Logged(Log(), "TIDO: No OLKA installation found."));
    EXPECT_TRUE(Machine::Exists(kProgram + L"\\corla.exe"));

    test::ClearLogs();
    machine.SetString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tav\\TLKA", L"Path", kRoot + L"\\Lark\\", View::k32);
    EXPECT_EQ(RunTido(L"-qn -rn"), 0u);
    std::vector<std::string> log = Log();
    EXPECT_TRUE(Logged(log, "TIDO: Tav Corla 11 will be removed by TIDO. "));
    EXPECT_TRUE(Logged(log, "TIDO: CleanAutoupdate: WARNING: Cannot remove Autoupdate, Corla and "
                            "Larkspan co-exists."));
    EXPECT_TRUE(test::ReadLogLines(true).empty());  // nothing went to Larkspan's log
}

TEST_F(SilentRemoval, RunningProductProcessRefusesTheRemoval)
{
    SeedCorla(0);
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"TidoE2eHostReady");
    test::ChildProcess corla(test::QuoteArgument(test::BuildPath(L"helpers\\names\\CORLA.EXE")) +
                             L" " + std::to_wstring(GetCurrentProcessId()) + L" TidoE2eHostReady");
    ASSERT_EQ(WaitForSingleObject(ready, 10000), WAIT_OBJECT_0);
    CloseHandle(ready);
    EXPECT_EQ(RunTido(L"-qn -rp -rd"), 1603u);
    EXPECT_EQ(Status(), "FAILED");
    EXPECT_TRUE(Logged(Log(), "TIDO: Corla is running. Please close Corla client first before run "
                              "TIDO - corla.exe"));
    EXPECT_TRUE(Machine::Exists(kProgram + L"\\corla.exe"));
    EXPECT_TRUE(Machine::KeyExists(HKEY_LOCAL_MACHINE, kCorlaKey, View::k32));
}

}  // namespace

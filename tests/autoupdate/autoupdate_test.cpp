// CleanAutoupdate on seeded component keys (32-bit view) and update directories. The update
// services are looked for in Wine's real service manager; the 5-second pause goes through the
// machine seam, so it costs nothing here.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "support/fake_system.h"
#include "support/log_reader.h"
#include "support/machine.h"
#include "support/paths.h"
#include "support/services.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;
using test::Machine;
using test::View;

namespace {

const wchar_t kTavKey[] = L"SOFTWARE\\Tav\\AutoUpdate";
const wchar_t kOmbKey[] = L"SOFTWARE\\Omb\\AutoUpdate";
const std::wstring kTavDir = L"C:\\TidoTest\\Tav\\AutoUpdate";
const std::wstring kOmbDir = L"C:\\TidoTest\\Omb Update";

const std::string kTag = "TIDO: CleanAutoupdate: ";
const std::string kEntering = kTag + "Entering";
const std::string kExiting = kTag + "Exiting";
const std::string kNotFound = kTag + "WARNING: Autoupdate path not found.";

// StopService's lines for an update service that is not registered.
Lines MissingService(const std::string& name)
{
    return {"TIDO: StopService: Stopping and deleting service: " + name,
            "TIDO: StopService: Service does not exist."};
}

Lines BothServicesMissing()
{
    Lines lines = MissingService("TavAUTService");
    Lines omb = MissingService("OmbAUTService");
    lines.insert(lines.end(), omb.begin(), omb.end());
    return lines;
}

Lines Concat(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class CleanAutoupdate : public ::testing::Test {
protected:
    CleanAutoupdate() { test::RemoveService(L"TavAUTService"); }
    ~CleanAutoupdate() override { test::RemoveService(L"TavAUTService"); }

    // A component key with its "Path" value, and the update program on disk.
    void SeedComponent(const wchar_t* key, const std::wstring& programPath,
                       View view = View::k32)
    {
        machine.SetString(HKEY_LOCAL_MACHINE, key, L"Path", programPath, view);
        machine.WriteFile(programPath, "update program");
    }

    Machine machine;
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
};

TEST_F(CleanAutoupdate, CoexistenceRemovesNothing)
{
    SeedComponent(kTavKey, kTavDir + L"\\AutoUpdate.exe");
    dialog.m_bCoexist = 1;
    dialog.CleanAutoupdate();

    EXPECT_EQ(test::ReadLogLines(),
              (Lines{kEntering,
                     kTag + "WARNING: Cannot remove Autoupdate, Corla and Larkspan co-exists.",
                     kExiting}));
    EXPECT_TRUE(system.sleeps.empty());
    EXPECT_TRUE(Machine::Exists(kTavDir + L"\\AutoUpdate.exe"));
    EXPECT_TRUE(Machine::KeyExists(HKEY_LOCAL_MACHINE, kTavKey, View::k32));
}

// Tav's component comes first, then Omb's; only the "AutoUpdate" keys go, not their makers'.
TEST_F(CleanAutoupdate, BothComponentsLoseDirectoryAndKeyTavFirst)
{
    SeedComponent(kTavKey, kTavDir + L"\\AutoUpdate.exe");
    machine.WriteFile(kTavDir + L"\\lib\\update.dll", "x");
    SeedComponent(kOmbKey, kOmbDir + L"\\autoupdate.EXE");  // the name in any letter case
    machine.SetString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tav\\TLKA", L"Path", L"C:\\x", View::k32);
    dialog.CleanAutoupdate();

    EXPECT_EQ(test::ReadLogLines(),
              Concat({{kEntering},
                      BothServicesMissing(),
                      {kTag + "Autoupdate path found : " + test::Narrow(kTavDir),
                       "TIDO: DeleteDirectory: Deleting directory recursively: " + test::Narrow(kTavDir),
                       "TIDO: DeleteDirectory: Deleting directory recursively: " +
                           test::Narrow(kTavDir) + "\\lib",
                       "TIDO: DeleteDirectory: Directory deleted : " + test::Narrow(kTavDir) + "\\lib",
                       "TIDO: DeleteRegistryRecurse: Registry subvalue deleted recursively: "
                       "HKEY_LOCAL_MACHINE\\Software\\Tav\\AutoUpdate",
                       kTag + "Autoupdate path found : " + test::Narrow(kOmbDir),
                       "TIDO: DeleteDirectory: Deleting directory recursively: " + test::Narrow(kOmbDir),
                       "TIDO: DeleteRegistryRecurse: Registry subvalue deleted recursively: "
                       "HKEY_LOCAL_MACHINE\\Software\\Omb\\AutoUpdate",
                       kExiting}}));
    EXPECT_EQ(system.sleeps, std::vector<DWORD>{5000});
    EXPECT_FALSE(Machine::Exists(kTavDir));
    EXPECT_FALSE(Machine::Exists(kOmbDir));
    EXPECT_TRUE(Machine::Exists(L"C:\\TidoTest\\Tav"));
    EXPECT_FALSE(Machine::KeyExists(HKEY_LOCAL_MACHINE, kTavKey, View::k32));
    EXPECT_FALSE(Machine::KeyExists(HKEY_LOCAL_MACHINE, kOmbKey, View::k32));
    EXPECT_TRUE(Machine::KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tav\\TLKA", View::k32));
    EXPECT_EQ(dialog.m_bFilesLeft, 0);
}

// No component: the services are stopped all the same (a running one really is), the pause
// is made, and the warning says nothing was found. A component registered only in the 64-bit
// view is not the update component's and stays.
TEST_F(CleanAutoupdate, NoComponentStillStopsTheServicesAndPauses)
{
    ASSERT_TRUE(test::InstallTestService(L"TavAUTService", L"stop"));
    ASSERT_TRUE(test::StartTestService(L"TavAUTService"));
    SeedComponent(kTavKey, kTavDir + L"\\AutoUpdate.exe", View::k64);
    machine.SetString(HKEY_LOCAL_MACHINE, kOmbKey, L"Path", kOmbDir + L"\\AutoUpdate.exe",
                      View::k32);  // its directory does not exist
    dialog.CleanAutoupdate();

    EXPECT_EQ(test::ReadLogLines(),
              Concat({{kEntering,
                       "TIDO: StopService: Stopping and deleting service: TavAUTService",
                       "TIDO: StopService: Stop service successful: TavAUTService",
                       "TIDO: StopService: Delete service successful: TavAUTService",
                       "TIDO: StopService: Exiting"},
                      MissingService("OmbAUTService"),
                      {kNotFound, kExiting}}));
    EXPECT_TRUE(test::ServiceDeleted(L"TavAUTService"));
    EXPECT_EQ(system.sleeps, std::vector<DWORD>{5000});
    EXPECT_TRUE(Machine::Exists(kTavDir + L"\\AutoUpdate.exe"));
    EXPECT_TRUE(Machine::KeyExists(HKEY_LOCAL_MACHINE, kTavKey, View::k64));
    EXPECT_TRUE(Machine::KeyExists(HKEY_LOCAL_MACHINE, kOmbKey, View::k32));
}

// Only a path to the update program names a directory Tido may delete, and never a protected
// one: cutting the program's length off any other value would delete whatever is left.
TEST_F(CleanAutoupdate, PathThatIsNotTheUpdateProgramDeletesNothing)
{
    struct Case {
        std::wstring path;
        std::wstring survivor;  // what the value would have deleted
        std::string reason;
    } cases[] = {
        {L"C:\\TidoTest\\Tools\\Updater_v2.exe", L"C:\\TidoTest\\Tools\\Updater_v2.exe",
         "not the update program"},
        {L"C:\\TidoTest\\Tools\\AutoUpdate.exe.bak", L"C:\\TidoTest\\Tools\\AutoUpdate.exe.bak",
         "not the update program"},
        {L"\\AutoUpdate.exe", L"", "not the update program"},
        {L"C:\\Program Files\\AutoUpdate.exe", L"C:\\Program Files",
         "a Program Files or Common Files directory"},
        {L"C:\\AutoUpdate.exe", L"", "a relative path"},  // "C:" is the current directory
        {L"TidoTest\\AutoUpdate.exe", L"", "a relative path"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(test::Narrow(c.path));
        Machine::RemoveLeftovers();
        test::ClearLogs();
        system.sleeps.clear();
        machine.SetString(HKEY_LOCAL_MACHINE, kTavKey, L"Path", c.path, View::k32);
        if (c.survivor.rfind(L"C:\\TidoTest", 0) == 0)
            machine.WriteFile(c.survivor, "x");
        dialog.CleanAutoupdate();

        EXPECT_EQ(test::ReadLogLines(),
                  Concat({{kEntering},
                          BothServicesMissing(),
                          {kTag + "WARNING: Autoupdate path not used (" + c.reason +
                               "): " + test::Narrow(c.path),
                           kNotFound, kExiting}}));
        if (!c.survivor.empty()) {
            EXPECT_TRUE(Machine::Exists(c.survivor));
        }
        EXPECT_TRUE(Machine::KeyExists(HKEY_LOCAL_MACHINE, kTavKey, View::k32));
        EXPECT_EQ(system.sleeps, std::vector<DWORD>{5000});
    }
}

}  // namespace

// StopService against real services of Wine's service manager. The test service answers a
// stop request as each test chooses; this process stays alive meanwhile, which keeps Wine from
// ending the services on its own. The fake clock makes each 5-second poll cost a short real
// sleep, during which a real service keeps pace.
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

namespace {

const wchar_t kName[] = L"Tido Test Service";
const std::string kPrefix = "TIDO: StopService: ";
const std::string kStopping = kPrefix + "Stopping and deleting service: Tido Test Service";
const std::string kStopped = kPrefix + "Stop service successful: Tido Test Service";
const std::string kDeleted = kPrefix + "Delete service successful: Tido Test Service";
const std::string kTooLong = kPrefix + "Service is stopping but taking a really long time about it.";
const std::string kExiting = kPrefix + "Exiting";

// The system's own text for a code, as the log holds it: the texts are Wine's, so the tests
// compare which code was described, not the wording.
std::string SystemTextLine(DWORD code)
{
    wchar_t text[520];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, LANG_USER_DEFAULT, text, 520, nullptr);
    std::wstring line(text, length);
    while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r'))
        line.pop_back();
    return kPrefix + test::Narrow(line);
}

class StopService : public ::testing::Test {
protected:
    StopService() { system.realSleepMs = 50; }

    void Register(const wchar_t* mode, bool start = true)
    {
        ASSERT_TRUE(test::InstallTestService(kName, mode));
        if (start) {
            ASSERT_TRUE(test::StartTestService(kName));
        }
    }
    Lines Log() { return test::ReadLogLines(); }

    test::Machine machine;  // removes the test service before and after each test
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
};

TEST_F(StopService, MissingServiceReturnsEarlyWithoutExiting)
{
    EXPECT_EQ(dialog.StopService(kName), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
    EXPECT_EQ(Log(), (Lines{kStopping, kPrefix + "Service does not exist."}));
}

TEST_F(StopService, StoppedServiceIsDeletedAndTheStopErrorDescribed)
{
    Register(L"stop", false);
    EXPECT_EQ(dialog.StopService(kName), static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE));
    EXPECT_TRUE(system.sleeps.empty());
    EXPECT_EQ(Log(), (Lines{kStopping, kPrefix + "Failed to stop service : 1062", kDeleted,
                            SystemTextLine(ERROR_SERVICE_NOT_ACTIVE), kExiting}));
    EXPECT_TRUE(test::ServiceDeleted(kName));
}

TEST_F(StopService, ServiceThatStopsAtOnceCostsNoPoll)
{
    Register(L"stop");
    EXPECT_EQ(dialog.StopService(kName), 0u);
    EXPECT_TRUE(system.sleeps.empty());
    EXPECT_EQ(Log(), (Lines{kStopping, kStopped, kDeleted, kExiting}));
    EXPECT_TRUE(test::ServiceDeleted(kName));
}

// The service pends for about a second, some twenty polls: far longer in fake time than its
// 30-second wait hint, but it keeps advancing its checkpoint, so the wait goes on until it
// has stopped.
TEST_F(StopService, PendingStopIsPolledUntilStoppedWhileTheCheckpointAdvances)
{
    Register(L"pending");
    EXPECT_EQ(dialog.StopService(kName), 0u);
    EXPECT_GT(system.sleeps.size(), 6u) << "more fake time than the wait hint";
    EXPECT_EQ(system.sleeps, std::vector<DWORD>(system.sleeps.size(), 5000));
    EXPECT_EQ(test::ServiceState(kName), 0u) << "stopped and deleted";
    EXPECT_EQ(Log(), (Lines{kStopping, kStopped, kDeleted, kExiting}));
}

// A constant checkpoint and a wait hint below one poll: one poll, then the deletion. The
// clock is about to wrap, which must not prolong the wait.
TEST_F(StopService, StuckPendingStopGivesUpAfterOnePollAcrossTheTickWrap)
{
    Register(L"stuck");
    system.now = 0xFFFFFFFFu - 2000;
    EXPECT_EQ(dialog.StopService(kName), 0u);
    EXPECT_EQ(system.sleeps, std::vector<DWORD>{5000});
    EXPECT_EQ(Log(), (Lines{kStopping, kStopped, kTooLong, kDeleted, kExiting}));
    EXPECT_EQ(test::ServiceState(kName), static_cast<DWORD>(SERVICE_STOP_PENDING));
    EXPECT_TRUE(test::ServiceDeleted(kName));
}

TEST_F(StopService, RefusedStopIsNotWaitedForAndTheServiceIsDeletedAllTheSame)
{
    Register(L"refuse");
    EXPECT_EQ(dialog.StopService(kName), static_cast<DWORD>(ERROR_INVALID_SERVICE_CONTROL));
    EXPECT_TRUE(system.sleeps.empty());
    EXPECT_EQ(Log(), (Lines{kStopping, kPrefix + "Failed to stop service : 1052", kDeleted,
                            SystemTextLine(ERROR_INVALID_SERVICE_CONTROL), kExiting}));
    EXPECT_EQ(test::ServiceState(kName), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_TRUE(test::ServiceDeleted(kName));
}

}  // namespace

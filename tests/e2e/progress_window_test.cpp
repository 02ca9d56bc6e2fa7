// -qb: the progress window appears, the run starts from its timer and the window closes with OK.
#include "e2e_support.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(ProgressWindow, AppearsRunsTheRemovalAndClosesWithOk)
{
    test::Machine machine;
    bool windowSeen = false;
    std::thread watcher([&windowSeen] {
        for (int i = 0; i < 200 && !windowSeen; ++i) {
            windowSeen = FindWindowW(nullptr, L"Corla Installer Clean Up") != nullptr;
            Sleep(50);
        }
    });
    EXPECT_EQ(e2e::RunTido(L"-qb -wipe"), 0u);
    watcher.join();
    EXPECT_TRUE(windowSeen);
    EXPECT_EQ(e2e::Status(), "OK");
    EXPECT_EQ(test::ReadLogLines().back(), "TIDO: TIDO has successfully removed Corla by wipe mode. ");
}

TEST(ProgressWindow, RefusedRunEndsWithFailure)
{
    test::Machine machine;
    EXPECT_EQ(e2e::RunTido(L"-qb"), 1603u);  // nothing detected: refused, not cancelled
    EXPECT_EQ(e2e::Status(), "FAILED");
}

}  // namespace

// The running-process check against real processes: a host that loads a DLL under a chosen
// file name, and the same waiting program copied under the product's executable names.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "discovery/process_check.h"
#include "support/fake_system.h"
#include "support/paths.h"
#include "support/process.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A helper process that has loaded its DLL before the test looks. It follows this process
// out, so a crashed test leaves nothing running; a failed one kills it on destruction.
class Host {
public:
    explicit Host(const std::wstring& program, const std::wstring& dll = L"")
        : readyName_(L"TidoHostReady" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                     std::to_wstring(++count_)),
          ready_(CreateEventW(nullptr, TRUE, FALSE, readyName_.c_str()))
    {
        std::wstring commandLine = test::QuoteArgument(test::BuildPath(L"helpers\\" + program)) +
                                   L" " + std::to_wstring(GetCurrentProcessId()) + L" " +
                                   readyName_;
        if (!dll.empty())
            commandLine += L" " + test::QuoteArgument(test::BuildPath(L"helpers\\" + dll));
        child_ = std::make_unique<test::ChildProcess>(commandLine);
    }

    bool Ready() const { return WaitForSingleObject(ready_.Get(), 20000) == WAIT_OBJECT_0; }
    DWORD Id() const { return child_->Id(); }

private:
    static inline int count_ = 0;
    std::wstring readyName_;
    UniqueHandle ready_;
    std::unique_ptr<test::ChildProcess> child_;
};

class ProcessCheck : public ::testing::Test {
protected:
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
};

TEST_F(ProcessCheck, ModuleSearchComparesTheEndOfThePathExactly)
{
    struct Case {
        const wchar_t* dll;
        bool found;
    } cases[] = {
        {L"modules\\exact\\rareve.dll", true},
        {L"modules\\prefixed\\xrareve.dll", true},
        {L"modules\\capitals\\RAREVE.DLL", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dll);
        Host host(L"module_host.exe", c.dll);
        ASSERT_TRUE(host.Ready());
        char name[kProcessNameLength] = "stale";
        DWORD id = 0;
        EXPECT_EQ(FindProcessWithModule("rareve.dll", name, sizeof(name), &id), c.found);
        EXPECT_STREQ(name, c.found ? "module_host.exe" : "");
        EXPECT_EQ(id, c.found ? host.Id() : 0u);
    }
}

TEST_F(ProcessCheck, NameSearchIgnoresLetterCaseAndReportsTheNameOnDisk)
{
    Host host(L"names\\CORLA.EXE");
    ASSERT_TRUE(host.Ready());
    wchar_t name[kProcessNameLength] = L"";
    DWORD id = 0;
    EXPECT_TRUE(FindProcessByName(L"corla.exe", name, kProcessNameLength, &id));
    EXPECT_STREQ(name, L"CORLA.EXE");
    EXPECT_EQ(id, host.Id());

    id = 0;
    EXPECT_FALSE(FindProcessByName(L"corla2.exe", name, kProcessNameLength, &id));
    EXPECT_STREQ(name, L"<unknown>");
    EXPECT_EQ(id, 0u);
}

TEST_F(ProcessCheck, ReportsTheFirstProductProcessInLowerCase)
{
    struct Case {
        const wchar_t* program;
        const wchar_t* dll;
        const wchar_t* reported;
    } cases[] = {
        {L"module_host.exe", L"modules\\exact\\ncorlbho.dll", L"module_host.exe"},
        {L"names\\CORLA.EXE", L"", L"corla.exe"},
        {L"names\\soffice.bin", L"", L"soffice.bin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        Host host(c.program, c.dll);
        ASSERT_TRUE(host.Ready());
        dialog.m_strRunningProcess.clear();
        EXPECT_EQ(dialog.IsProductProcessRunning(), ~FALSE);
        EXPECT_EQ(dialog.m_strRunningProcess, c.reported);
    }
}

TEST_F(ProcessCheck, ModulesAreSearchedBeforeExecutableNames)
{
    Host named(L"names\\CORLA.EXE");
    Host loader(L"module_host.exe", L"modules\\exact\\rareve.dll");
    ASSERT_TRUE(named.Ready());
    ASSERT_TRUE(loader.Ready());
    EXPECT_TRUE(dialog.IsProductProcessRunning());
    EXPECT_EQ(dialog.m_strRunningProcess, L"module_host.exe");
}

TEST_F(ProcessCheck, NoProductProcessLeavesTheLastNameAlone)
{
    // A DLL whose name differs only in letter case, in a host whose own name is no product's.
    Host host(L"module_host.exe", L"modules\\capitals\\RAREVE.DLL");
    ASSERT_TRUE(host.Ready());
    dialog.m_strRunningProcess = L"earlier.exe";
    EXPECT_EQ(dialog.IsProductProcessRunning(), FALSE);
    EXPECT_EQ(dialog.m_strRunningProcess, L"earlier.exe");
}

}  // namespace

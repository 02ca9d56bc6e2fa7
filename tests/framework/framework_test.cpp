// The framework's parts that need no window: command-line splitting and parsing, strings,
// the event, the worker, and a dialog that cannot be created.
#include "framework/app.h"
#include "framework/dialog.h"
#include "framework/runtime.h"
#include "support/fake_system.h"

#include <gtest/gtest.h>

namespace {

struct Word {
    std::wstring param;
    bool isFlag;
    bool isLast;
    bool operator==(const Word&) const = default;
};

class RecordingInfo : public CommandLineInfo {
public:
    std::vector<Word> words;
    void ParseParam(const wchar_t* param, bool isFlag, bool isLast) override
    {
        words.push_back({param, isFlag, isLast});
    }
};

std::vector<Word> Parse(const wchar_t* commandLine)
{
    RecordingInfo info;
    App::ParseCommandLine(App::SplitCommandLine(commandLine), info);
    return info.words;
}

TEST(CommandLine, SplitsQuotedWordsAndStripsOneLeadingDashOrSlash)
{
    EXPECT_EQ(Parse(L"tido.exe"), std::vector<Word>{});
    EXPECT_EQ(Parse(L"\"C:\\My Tools\\tido.exe\" -qn /RP"),
              (std::vector<Word>{{L"qn", true, false}, {L"RP", true, true}}));
    EXPECT_EQ(Parse(L"tido.exe \"-q n\" plain - --x //y"),
              (std::vector<Word>{{L"q n", true, false},
                                 {L"plain", false, false},
                                 {L"", true, false},
                                 {L"-x", true, false},
                                 {L"/y", true, true}}));
    EXPECT_EQ(Parse(L"tido.exe \"\""), (std::vector<Word>{{L"", false, true}}));
}

TEST(Strings, LoadExactlyAsStored)
{
    EXPECT_EQ(LoadResString(300), L"Text with trailing blanks  ");
    EXPECT_EQ(LoadResString(301), L"Line one\nLine two");
    EXPECT_EQ(LoadResString(399), L"");
}

unsigned __stdcall SetEventFromWorker(void* argument)
{
    static_cast<Event*>(argument)->Set();
    return 7;
}

TEST(Event, AutoResetsAndWakesFromWorker)
{
    Event event;
    EXPECT_EQ(event.Wait(0), static_cast<DWORD>(WAIT_TIMEOUT));
    UniqueHandle worker = StartWorker(SetEventFromWorker, &event);
    ASSERT_TRUE(worker.Valid());
    EXPECT_EQ(event.Wait(5000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(event.Wait(0), static_cast<DWORD>(WAIT_TIMEOUT));  // reset by the wait
    WaitForSingleObject(worker.Get(), 5000);
}

TEST(FakeSystem, RecordsMessageBoxesAndAnswersFromTheScript)
{
    test::FakeSystem system;
    system.answers = {IDCANCEL};
    Dialog dialog(200, system);  // never shown: no window, owner is null
    EXPECT_EQ(dialog.MessageBox(L"first", MB_OKCANCEL | MB_TOPMOST), IDCANCEL);
    EXPECT_EQ(dialog.MessageBox(L"second", MB_OK), IDOK);
    ASSERT_EQ(system.boxes.size(), 2u);
    EXPECT_EQ(system.boxes[0].text, L"first");
    EXPECT_EQ(system.boxes[0].type, static_cast<UINT>(MB_OKCANCEL | MB_TOPMOST));
    system.Sleep(5000);
    EXPECT_EQ(system.TickCount(), 1005000u);
}

TEST(Dialog, CannotBeCreatedWithoutADisplay)
{
    test::FakeSystem system;
    Dialog dialog(200, system);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.Hwnd(), nullptr);
}

}  // namespace

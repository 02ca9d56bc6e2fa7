// The dialog on a virtual display: its own message loop, the handler table, timers,
// PreTranslateMessage before the dialog manager, and the default endings.
#include "framework/dialog.h"
#include "support/fake_system.h"

#include <gtest/gtest.h>

namespace {

const UINT kTemplate = 200;
const int kButton = 201;
const int kCombo = 202;

class TestDialog : public Dialog {
public:
    explicit TestDialog(System& system) : Dialog(kTemplate, system)
    {
        OnCommand(kButton, BN_CLICKED, [this] { ++presses; });
    }
    std::function<void(TestDialog&)> onInit;
    std::function<void(TestDialog&, UINT_PTR)> onTimer;
    int presses = 0;
    int keyMessagesSeen = 0;
    ComboBox combo;
    bool unbound = false;

protected:
    void DoDataExchange() override { combo.Attach(GetItem(kCombo)); }
    BOOL OnInitDialog() override
    {
        if (onInit)
            onInit(*this);
        return TRUE;
    }
    void OnTimer(UINT_PTR id) override
    {
        if (onTimer)
            onTimer(*this, id);
    }
    bool PreTranslateMessage(MSG& message) override
    {
        if (message.message == WM_KEYDOWN)
            ++keyMessagesSeen;
        return false;
    }
    void OnDestroyed() override
    {
        combo.Detach();
        unbound = true;
    }
};

TEST(DialogWindow, RoutesCommandsAndEndsFromATimer)
{
    test::FakeSystem system;
    TestDialog dialog(system);
    dialog.onInit = [](TestDialog& d) {
        d.combo.InsertString(0, L"zeta");
        d.combo.InsertString(1, L"alpha");  // inserted at a position: not re-sorted
        PostMessageW(d.Hwnd(), WM_COMMAND, MAKEWPARAM(kButton, BN_CLICKED), 0);
        d.SetTimer(1, 50);
    };
    dialog.onTimer = [](TestDialog& d, UINT_PTR id) {
        EXPECT_EQ(id, 1u);
        EXPECT_EQ(d.combo.GetItemText(0), L"zeta");
        EXPECT_EQ(d.combo.GetItemText(1), L"alpha");
        d.KillTimer(1);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.presses, 1);
    EXPECT_TRUE(dialog.unbound);
    EXPECT_EQ(dialog.Hwnd(), nullptr);
}

TEST(DialogWindow, EscapeEndsWithCancelAndIsSeenFirstByPreTranslate)
{
    test::FakeSystem system;
    TestDialog dialog(system);
    dialog.onInit = [](TestDialog& d) {
        PostMessageW(GetDlgItem(d.Hwnd(), kButton), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_GE(dialog.keyMessagesSeen, 1);
}

TEST(DialogWindow, CloseBoxEndsWithCancel)
{
    test::FakeSystem system;
    TestDialog dialog(system);
    dialog.onInit = [](TestDialog& d) { PostMessageW(d.Hwnd(), WM_CLOSE, 0, 0); };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

}  // namespace

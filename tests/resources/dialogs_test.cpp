// The dialogs of tido.exe as the dialog manager builds them, on a virtual display.
#include "tido_resources.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

namespace {

// A dialog with no behaviour of its own: what shows is the template alone.
INT_PTR CALLBACK TemplateOnlyProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// Each control as the dialog manager created it, by control id. Controls change their own
// style and size once created (a combo box hands its scroll bar to its list and shrinks to its
// closed height); this still shows the template.
struct Creation {
    DWORD style;
    DWORD exStyle;
    int height;
};
std::map<int, Creation> g_created;

LRESULT CALLBACK RecordCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        wchar_t parentClass[16] = {};
        GetClassNameW(create->hwndParent, parentClass, ARRAYSIZE(parentClass));
        if ((create->style & WS_CHILD) && std::wstring(parentClass) == L"#32770") {
            int id = static_cast<int>(reinterpret_cast<INT_PTR>(create->hMenu));
            g_created[id] = {static_cast<DWORD>(create->style), create->dwExStyle, create->cy};
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class Dialogs : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&classes);
    }
    void SetUp() override { ASSERT_TRUE(tido_) << GetLastError(); }
    void TearDown() override
    {
        if (dialog_)
            DestroyWindow(dialog_);
    }

    HWND Create(int templateId)
    {
        g_created.clear();
        HHOOK hook = SetWindowsHookExW(WH_CBT, RecordCreation, nullptr, GetCurrentThreadId());
        dialog_ = CreateDialogParamW(tido_.Get(), MAKEINTRESOURCEW(templateId), nullptr,
            TemplateOnlyProc, 0);
        UnhookWindowsHookEx(hook);
        return dialog_;
    }

    UniqueLibrary tido_ = test::LoadTidoResources();
    HWND dialog_ = nullptr;
};

std::wstring WindowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, ARRAYSIZE(text));
    return text;
}

std::wstring ClassName(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, ARRAYSIZE(name));
    return name;
}

// Dialog units to pixels of this dialog's font. The dialog manager converts a control's
// position and its size each on its own, so its right edge is not the converted x + width.
RECT DialogUnits(HWND dialog, int x, int y, int width, int height)
{
    RECT converted = {x, y, width, height};
    MapDialogRect(dialog, &converted);
    return {converted.left, converted.top, converted.left + converted.right,
        converted.top + converted.bottom};
}

// Where a control lies, in the dialog's client coordinates. A combo box's template height is
// that of the box with its list dropped down, which it was created with.
RECT PlacedRect(HWND dialog, HWND control)
{
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    if (ClassName(control) == L"ComboBox")
        rect.bottom = rect.top + g_created[GetDlgCtrlID(control)].height;
    return rect;
}

std::string Describe(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + " - " +
           std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

struct Units {
    int x, y, width, height;
};

struct ControlRow {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    Units placed;  // dialog units
    DWORD style;  // kind bits and WS_VISIBLE exactly, other bits at least
};

DWORD KindMask(const std::wstring& className)
{
    if (className == L"Button")
        return BS_TYPEMASK;
    if (className == L"ComboBox")
        return 0x3;  // simple, drop-down, drop-down list
    if (className == L"Static")
        return SS_TYPEMASK;
    return 0;
}

void ExpectControls(HWND dialog, const ControlRow* rows, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const ControlRow& row = rows[i];
        SCOPED_TRACE("control " + std::to_string(row.id));
        HWND control = GetDlgItem(dialog, row.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(ClassName(control), row.className);
        EXPECT_EQ(WindowText(control), row.text);
        DWORD style = g_created[row.id].style;
        // The dialog manager gives a bordered edit control a sunken client edge instead.
        if (g_created[row.id].exStyle & WS_EX_CLIENTEDGE)
            style |= WS_BORDER;
        DWORD mask = row.style | WS_VISIBLE | KindMask(row.className);
        EXPECT_EQ(style & mask, row.style) << std::hex << "style 0x" << style;
        const Units& at = row.placed;
        EXPECT_EQ(Describe(PlacedRect(dialog, control)),
            Describe(DialogUnits(dialog, at.x, at.y, at.width, at.height)));
    }
}

// Caption, client size in dialog units, font and frame of a dialog.
void ExpectFrame(HWND dialog, int width, int height, bool visible)
{
    EXPECT_EQ(WindowText(dialog), L"Corla Installer Clean Up");
    RECT client = {};
    GetClientRect(dialog, &client);
    EXPECT_EQ(Describe(client), Describe(DialogUnits(dialog, 0, 0, width, height)));

    DWORD style = static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE));
    DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(style & (frame | WS_VISIBLE), frame | (visible ? WS_VISIBLE : 0)) << std::hex << style;
    DWORD exStyle = static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE));
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW) << "shown in the task bar";

    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(std::wstring(font.lfFaceName).rfind(L"MS Shell Dlg", 0), 0u) << font.lfFaceName;
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(font.lfHeight, -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
}

const DWORD kTab = WS_TABSTOP | WS_VISIBLE;

const ControlRow kFullDialog[] = {
    {1003, L"ComboBox", L"", Units{7, 15, 133, 35}, CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | kTab},
    {1005, L"Button", L"&Rescan", Units{147, 14, 50, 14}, BS_PUSHBUTTON | kTab},
    {1013, L"Button", L"&Wipe Mode", Units{203, 15, 51, 13}, BS_AUTOCHECKBOX | kTab},
    {1004, L"Edit", L"", Units{7, 36, 248, 104},
        ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL | WS_BORDER | kTab},
    {1010, L"Static", L"", Units{11, 44, 248, 42}, SS_LEFT},
    {1009, L"Static", L"", Units{11, 93, 241, 12}, SS_LEFT},
    {1011, L"msctls_progress32", L"", Units{9, 112, 244, 11}, 0},
    {1008, L"Button", L"Remove all &program files", Units{7, 143, 94, 10}, BS_AUTOCHECKBOX | kTab},
    {1007, L"Button", L"Remove all &data files", Units{125, 143, 82, 10}, BS_AUTOCHECKBOX | kTab},
    {IDOK, L"Button", L"R&emove", Units{76, 168, 50, 16}, BS_PUSHBUTTON | kTab},
    {IDCANCEL, L"Button", L"&Quit", Units{136, 168, 50, 16}, BS_DEFPUSHBUTTON | kTab},
};

TEST_F(Dialogs, FullDialogPlacesEveryControlOfItsTable)
{
    HWND dialog = Create(102);
    ASSERT_NE(dialog, nullptr) << GetLastError();
    ExpectFrame(dialog, 262, 186, true);
    ExpectControls(dialog, kFullDialog, ARRAYSIZE(kFullDialog));
}

// -qb shows the bar alone; the hidden 1x1 controls let the same dialog code find its controls.
const ControlRow kProgressDialog[] = {
    {1011, L"msctls_progress32", L"", Units{7, 7, 172, 24}, WS_VISIBLE},
    {IDOK, L"Button", L"Remove", Units{0, 0, 1, 1}, BS_PUSHBUTTON},
    {1003, L"ComboBox", L"", Units{0, 0, 1, 1}, CBS_DROPDOWNLIST},
    {1004, L"Edit", L"", Units{0, 0, 1, 1}, ES_MULTILINE | ES_READONLY},
    {1007, L"Button", L"Remove all data files", Units{0, 0, 1, 1}, BS_AUTOCHECKBOX},
    {1008, L"Button", L"Remove all program files", Units{0, 0, 1, 1}, BS_AUTOCHECKBOX},
};

TEST_F(Dialogs, ProgressDialogShowsOnlyItsBar)
{
    HWND dialog = Create(133);
    ASSERT_NE(dialog, nullptr) << GetLastError();
    ExpectFrame(dialog, 186, 54, false);
    ExpectControls(dialog, kProgressDialog, ARRAYSIZE(kProgressDialog));
    for (int absent : {IDCANCEL, 1005, 1009, 1010, 1013}) {
        SCOPED_TRACE(absent);
        EXPECT_EQ(GetDlgItem(dialog, absent), nullptr);
    }
}

TEST_F(Dialogs, AboutBoxShowsIconVersionAndOk)
{
    HWND dialog = Create(100);
    ASSERT_NE(dialog, nullptr) << GetLastError();
    EXPECT_EQ(WindowText(dialog), L"About Tido");

    HWND icon = nullptr;
    std::wstring texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        LONG style = GetWindowLongW(child, GWL_STYLE);
        if (ClassName(child) == L"Static" && (style & SS_TYPEMASK) == SS_ICON)
            icon = child;
        else if (ClassName(child) == L"Static")
            texts += WindowText(child) + L"|";
    }
    ASSERT_NE(icon, nullptr);
    EXPECT_NE(SendMessageW(icon, STM_GETICON, 0, 0), 0);
    // The version line, then one sentence about the program.
    EXPECT_EQ(texts.rfind(L"Tido Version 1.0|", 0), 0u) << texts;
    EXPECT_GT(texts.size(), std::wstring(L"Tido Version 1.0||").size()) << texts;
    EXPECT_EQ(WindowText(GetDlgItem(dialog, IDOK)), L"OK");
}

}  // namespace

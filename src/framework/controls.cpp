#include "framework/controls.h"

#include <commctrl.h>

#include <vector>

LRESULT Control::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageW(window_, message, wParam, lParam);
}

void Control::Enable(bool enable) const
{
    EnableWindow(window_, enable);
}

bool Control::IsEnabled() const
{
    return IsWindowEnabled(window_) != FALSE;
}

void Control::Show(bool show) const
{
    ShowWindow(window_, show ? SW_SHOW : SW_HIDE);
}

bool Control::IsVisible() const
{
    return (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::SetText(const std::wstring& text) const
{
    SetWindowTextW(window_, text.c_str());
}

std::wstring Control::GetText() const
{
    int length = GetWindowTextLengthW(window_);
    std::vector<wchar_t> buffer(length + 1);
    GetWindowTextW(window_, buffer.data(), length + 1);
    return buffer.data();
}

void ComboBox::ResetContent() const
{
    Send(CB_RESETCONTENT);
}

int ComboBox::InsertString(int index, const std::wstring& text) const
{
    return static_cast<int>(Send(CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str())));
}

int ComboBox::GetCount() const
{
    return static_cast<int>(Send(CB_GETCOUNT));
}

int ComboBox::GetCurSel() const
{
    return static_cast<int>(Send(CB_GETCURSEL));
}

void ComboBox::SetCurSel(int index) const
{
    Send(CB_SETCURSEL, index);
}

std::wstring ComboBox::GetItemText(int index) const
{
    LRESULT length = Send(CB_GETLBTEXTLEN, index);
    if (length == CB_ERR)
        return L"";
    std::vector<wchar_t> buffer(length + 1);
    Send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.data();
}

void Edit::Append(const std::wstring& text) const
{
    int end = GetWindowTextLengthW(Hwnd());
    Send(EM_SETSEL, end, end);
    Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Button::IsChecked() const
{
    return Send(BM_GETCHECK) == BST_CHECKED;
}

void Button::SetCheck(bool checked) const
{
    Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

void ProgressBar::SetRange(int low, int high) const
{
    Send(PBM_SETRANGE32, low, high);
}

void ProgressBar::SetStep(int step) const
{
    Send(PBM_SETSTEP, step);
}

void ProgressBar::StepIt() const
{
    Send(PBM_STEPIT);
}

void ProgressBar::SetPos(int position) const
{
    Send(PBM_SETPOS, position);
}

int ProgressBar::GetPos() const
{
    return static_cast<int>(Send(PBM_GETPOS));
}

bool ToolTip::Create(HWND owner)
{
    HWND window = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    Attach(window);
    return window != nullptr;
}

void ToolTip::AddTool(HWND tool, const std::wstring& text) const
{
    TOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND;  // mouse moves come through RelayEvent
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    Send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTip::RelayEvent(const MSG& message) const
{
    if (Bound())
        Send(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

void ToolTip::Destroy()
{
    if (Bound())
        DestroyWindow(Hwnd());
    Detach();
}

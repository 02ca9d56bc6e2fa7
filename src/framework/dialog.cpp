#include "framework/dialog.h"

Dialog::Dialog(UINT templateId, System& system) : templateId_(templateId), system_(system) {}

Dialog::~Dialog()
{
    if (window_)
        DestroyWindow(window_);
}

void Dialog::OnCommand(int controlId, UINT notification, Handler handler)
{
    commands_.push_back({controlId, notification, std::move(handler)});
}

INT_PTR Dialog::DoModal(HWND owner)
{
    ended_ = false;
    result_ = -1;
    HWND window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_),
                                     owner, StaticProc, reinterpret_cast<LPARAM>(this));
    if (!window)
        return -1;
    if (owner)
        EnableWindow(owner, FALSE);
    if (!ended_) {
        ShowWindow(window, SW_SHOW);
        RunMessageLoop();
    }
    if (owner)
        EnableWindow(owner, TRUE);  // before the window goes, so the owner gets the focus back
    DestroyWindow(window);
    window_ = nullptr;
    OnDestroyed();
    return result_;
}

void Dialog::RunMessageLoop()
{
    MSG message;
    while (!ended_) {
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {  // WM_QUIT: pass it on to whoever runs the outer loop
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1)
            break;
        if (PreTranslateMessage(message))
            continue;
        if (!IsDialogMessageW(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void Dialog::EndDialog(INT_PTR code)
{
    result_ = code;
    ended_ = true;
    if (window_)
        PostMessageW(window_, WM_NULL, 0, 0);  // wake the loop
}

UINT_PTR Dialog::SetTimer(UINT_PTR id, UINT milliseconds)
{
    return ::SetTimer(window_, id, milliseconds, nullptr);
}

void Dialog::KillTimer(UINT_PTR id)
{
    ::KillTimer(window_, id);
}

int Dialog::MessageBox(const std::wstring& text, UINT type)
{
    return system_.MessageBox(window_, text, type);
}

INT_PTR CALLBACK Dialog::StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->window_ = window;
        SetWindowLongPtrW(window, DWLP_USER, lParam);
    } else {
        dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    return dialog ? dialog->Proc(message, wParam, lParam) : FALSE;
}

bool Dialog::RouteCommand(int controlId, UINT notification)
{
    for (const CommandEntry& entry : commands_) {
        if (entry.controlId == controlId && entry.notification == notification) {
            entry.handler();
            return true;
        }
    }
    if ((controlId == IDOK || controlId == IDCANCEL) && notification == BN_CLICKED) {
        EndDialog(controlId);
        return true;
    }
    return false;
}

INT_PTR Dialog::Proc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        DoDataExchange();
        return OnInitDialog();
    case WM_COMMAND:
        return RouteCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case WM_SYSCOMMAND:
        return OnSysCommand(wParam, lParam);
    case WM_PAINT:
        return OnPaint();
    case WM_QUERYDRAGICON:
        if (HICON icon = OnQueryDragIcon()) {
            SetWindowLongPtrW(window_, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(icon));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

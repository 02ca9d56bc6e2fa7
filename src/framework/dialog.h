#pragma once
#include "framework/controls.h"
#include "platform/system.h"

#include <functional>
#include <string>
#include <vector>

// A modal dialog made from a dialog template and run by its own message loop, so that
// PreTranslateMessage sees every message before IsDialogMessageW does. The object can live
// without a window (a silent run): then Hwnd() is null and no control may be used.
class Dialog {
public:
    Dialog(UINT templateId, System& system);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Creates the window, runs it until EndDialog, destroys it; returns the code EndDialog
    // gave, or -1 when the window cannot be created (no display, no template). An owner is
    // disabled while the dialog runs.
    INT_PTR DoModal(HWND owner = nullptr);
    void EndDialog(INT_PTR code);

    HWND Hwnd() const { return window_; }
    HWND GetItem(int id) const { return GetDlgItem(window_, id); }
    UINT GetTemplateId() const { return templateId_; }
    System& GetSystem() const { return system_; }

    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds);
    void KillTimer(UINT_PTR id);
    // A message box owned by this dialog (when it has a window), through the machine seam.
    int MessageBox(const std::wstring& text, UINT type);

protected:
    using Handler = std::function<void()>;
    // Routes WM_COMMAND of (control id, notification code) to a handler. For IDOK and
    // IDCANCEL without a handler the dialog ends with that id.
    void OnCommand(int controlId, UINT notification, Handler handler);

    // Binds the control wrappers to the window's controls (called before OnInitDialog).
    virtual void DoDataExchange() {}
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnTimer(UINT_PTR /*id*/) {}
    // Return true when handled; false gives the default handling.
    virtual bool OnSysCommand(WPARAM /*command*/, LPARAM /*lParam*/) { return false; }
    virtual bool OnPaint() { return false; }
    virtual HICON OnQueryDragIcon() { return nullptr; }
    // Return true to swallow the message before the dialog manager sees it.
    virtual bool PreTranslateMessage(MSG& /*message*/) { return false; }
    // Called when the window is gone (after the loop ends), to unbind the wrappers.
    virtual void OnDestroyed() {}

private:
    struct CommandEntry {
        int controlId;
        UINT notification;
        Handler handler;
    };
    static INT_PTR CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Proc(UINT message, WPARAM wParam, LPARAM lParam);
    bool RouteCommand(int controlId, UINT notification);
    void RunMessageLoop();

    UINT templateId_;
    System& system_;
    HWND window_ = nullptr;
    bool ended_ = false;
    INT_PTR result_ = -1;
    std::vector<CommandEntry> commands_;
};

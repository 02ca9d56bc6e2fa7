#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace test {

// One message box of the program under test, as a person sees it.
struct MessageBoxView {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
};

// Drives a program through its windows as a UI-automation tool does: windows are found by
// title and class, controls are read with window messages, and clicks are posted, so the
// program never waits on the driver and the driver never waits on the program for longer
// than its limits. On destruction every box still open is reported as a failure and closed,
// and the program is killed if it still runs: a failed test ends, it does not hang.
class UiSession {
public:
    // Starts PROGRAM ARGUMENTS (the program's path is quoted here).
    UiSession(const std::wstring& program, const std::wstring& arguments);
    ~UiSession();
    UiSession(const UiSession&) = delete;
    UiSession& operator=(const UiSession&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    bool Running() const;
    DWORD ProcessId() const { return process_.dwProcessId; }

    // Waits for a visible top-level window of the program with this exact title. The first
    // window found becomes the main window, whose controls the readers below use.
    HWND WaitForWindow(const std::wstring& title, DWORD timeoutMs = 20000);
    // The main window found by the last successful WaitForWindow.
    HWND Window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }

    // Reading controls of the main window.
    std::wstring Text(int id) const { return TextOf(Item(id)); }
    static std::wstring TextOf(HWND window);
    bool Enabled(int id) const;
    bool Checked(int id) const;
    bool Visible(int id) const;
    std::vector<std::wstring> ComboEntries(int id) const;
    // Any message without pointers, sent to a control with a time limit; -1 when unanswered.
    LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    int ComboSelection(int id) const;

    // Acting on the main window: a button click, a key pressed in a control, a message
    // posted to the window itself (WM_CLOSE, WM_SYSCOMMAND, WM_COMMAND). Click refuses (false)
    // a control that is hidden or disabled, as a person could not click it either.
    bool Click(int id) const;
    void PressKey(int id, WORD virtualKey) const;
    void Post(UINT message, WPARAM wParam, LPARAM lParam) const;
    // True once the program has handled everything posted so far (its thread answers a sent
    // message); false when it stays busy for the whole limit.
    bool Settle(DWORD timeoutMs = 5000) const;

    // Message boxes: top-level dialogs of the program other than the main window.
    std::optional<MessageBoxView> WaitForMessageBox(DWORD timeoutMs = 10000);
    std::vector<MessageBoxView> OpenMessageBoxes() const;
    // Presses the box's button (IDOK, IDCANCEL) and waits until the box is gone.
    bool Answer(const MessageBoxView& box, int buttonId);

    // Waits for the end of the program and gives its full exit code.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);

private:
    bool OwnedByProgram(HWND window) const;
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
};

// Saves what the screen shows of a window (and of a second one over it or beside it, a box or
// a tip) as a PNG under the build tree, in screenshots\ui\NAME.png, after letting them
// paint. False when nothing could be captured.
bool SaveScreenshot(HWND window, const std::wstring& name, HWND alsoShown = nullptr);
std::wstring ScreenshotPath(const std::wstring& name);

// Writes 8-bit RGB pixels (rows top to bottom, 3 bytes a pixel) as a PNG file.
bool WritePng(const std::wstring& path, int width, int height, const std::vector<BYTE>& rgb);

}  // namespace test

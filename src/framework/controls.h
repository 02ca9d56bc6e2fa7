#pragma once
#include <windows.h>

#include <string>

// Thin wrappers over a dialog's controls: each sends the control's own messages. A wrapper
// that was never bound (the dialog runs without a window) holds no window and must not be used.
class Control {
public:
    void Attach(HWND window) { window_ = window; }
    void Detach() { window_ = nullptr; }
    HWND Hwnd() const { return window_; }
    bool Bound() const { return window_ != nullptr; }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void Enable(bool enable) const;
    bool IsEnabled() const;
    void Show(bool show) const;
    bool IsVisible() const;
    void SetText(const std::wstring& text) const;
    std::wstring GetText() const;

private:
    HWND window_ = nullptr;
};

class ComboBox : public Control {
public:
    void ResetContent() const;
    // Inserts at a given index (a sorted list keeps it there); returns the index or CB_ERR.
    int InsertString(int index, const std::wstring& text) const;
    int GetCount() const;
    int GetCurSel() const;
    void SetCurSel(int index) const;
    std::wstring GetItemText(int index) const;
};

class Edit : public Control {
public:
    // Appends at the end of the text without moving the view elsewhere.
    void Append(const std::wstring& text) const;
};

class Button : public Control {
public:
    bool IsChecked() const;
    void SetCheck(bool checked) const;
};

class ProgressBar : public Control {
public:
    void SetRange(int low, int high) const;
    void SetStep(int step) const;
    void StepIt() const;
    void SetPos(int position) const;
    int GetPos() const;
};

// A tool tip for controls of one dialog; mouse moves are relayed to it by the dialog.
class ToolTip : public Control {
public:
    bool Create(HWND owner);
    void AddTool(HWND tool, const std::wstring& text) const;
    void RelayEvent(const MSG& message) const;
    void Destroy();
};

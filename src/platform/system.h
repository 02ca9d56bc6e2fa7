#pragma once
#include <windows.h>

#include <string>

// What the program asks of the machine that tests cannot show under Wine (the administrator
// test) or that would make them slow (sleeps, message boxes waiting for a click). Everything
// else (registry, files, services, processes) is used directly and tested for real.
class System {
public:
    virtual ~System() = default;
    virtual bool IsUserAnAdmin() = 0;
    // Shell folder by CSIDL, as SHGetSpecialFolderLocation and SHGetPathFromIDListW give it.
    virtual bool SpecialFolderPath(int csidl, std::wstring& path) = 0;
    virtual void Sleep(DWORD ms) = 0;
    virtual DWORD TickCount() = 0;
    virtual int MessageBox(HWND owner, const std::wstring& text, UINT type) = 0;
};

// The real machine.
class Win32System : public System {
public:
    bool IsUserAnAdmin() override;
    bool SpecialFolderPath(int csidl, std::wstring& path) override;
    void Sleep(DWORD ms) override;
    DWORD TickCount() override;
    int MessageBox(HWND owner, const std::wstring& text, UINT type) override;
};

// The caption of every message box: the program's title.
extern const wchar_t kMessageBoxCaption[];

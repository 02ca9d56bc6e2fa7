#include "platform/system.h"

#include <shlobj.h>

const wchar_t kMessageBoxCaption[] = L"Tido";

bool Win32System::IsUserAnAdmin()
{
    return ::IsUserAnAdmin() != FALSE;
}

bool Win32System::SpecialFolderPath(int csidl, std::wstring& path)
{
    PIDLIST_ABSOLUTE idList = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &idList)) || !idList)
        return false;
    wchar_t buffer[MAX_PATH] = {};
    BOOL found = SHGetPathFromIDListW(idList, buffer);
    CoTaskMemFree(idList);  // freed on every call: a long run must not leak
    if (!found)
        return false;
    path = buffer;
    return true;
}

void Win32System::Sleep(DWORD ms)
{
    ::Sleep(ms);
}

DWORD Win32System::TickCount()
{
    return ::GetTickCount();
}

int Win32System::MessageBox(HWND owner, const std::wstring& text, UINT type)
{
    return ::MessageBoxW(owner, text.c_str(), kMessageBoxCaption, type);
}

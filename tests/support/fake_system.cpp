#include "support/fake_system.h"

#include <algorithm>

namespace test {

bool FakeSystem::SpecialFolderPath(int csidl, std::wstring& path)
{
    if (std::find(failingFolders.begin(), failingFolders.end(), csidl) != failingFolders.end()) {
        SetLastError(failingFolderError);
        return false;
    }
    auto found = folderOverrides.find(csidl);
    if (found != folderOverrides.end()) {
        path = found->second;
        return true;
    }
    return Win32System().SpecialFolderPath(csidl, path);
}

void FakeSystem::Sleep(DWORD ms)
{
    sleeps.push_back(ms);
    now += ms;
    if (realSleepMs)
        ::Sleep(realSleepMs);
}

int FakeSystem::MessageBox(HWND, const std::wstring& text, UINT type)
{
    boxes.push_back({text, type});
    size_t index = boxes.size() - 1;
    return index < answers.size() ? answers[index] : IDOK;
}

}  // namespace test

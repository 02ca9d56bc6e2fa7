#pragma once
#include "platform/system.h"

#include <map>
#include <string>
#include <vector>

namespace test {

// The machine seam for tests: answers the administrator test as told, records every message
// box and answers it from a script, keeps a fake clock that Sleep advances, and can make a
// shell-folder lookup fail or point elsewhere.
class FakeSystem : public System {
public:
    struct Box {
        std::wstring text;
        UINT type;
    };

    bool admin = true;
    std::vector<Box> boxes;
    std::vector<int> answers;  // given in order; IDOK once they run out
    DWORD now = 1000000;
    DWORD realSleepMs = 0;     // a short real sleep per Sleep, for tests with real services
    std::vector<DWORD> sleeps;
    std::map<int, std::wstring> folderOverrides;  // csidl -> path
    std::vector<int> failingFolders;              // csidl lookups that fail
    DWORD failingFolderError = ERROR_FILE_NOT_FOUND;  // the last error a failed lookup leaves

    bool IsUserAnAdmin() override { return admin; }
    bool SpecialFolderPath(int csidl, std::wstring& path) override;
    void Sleep(DWORD ms) override;
    DWORD TickCount() override { return now; }
    int MessageBox(HWND owner, const std::wstring& text, UINT type) override;
};

}  // namespace test

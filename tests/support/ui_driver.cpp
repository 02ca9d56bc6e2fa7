#include "support/ui_driver.h"

#include "support/paths.h"
#include "support/process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace test {

namespace {

// Cross-process messages wait at most this long: a busy program delays the driver, a hung
// one fails the test instead of hanging it.
const UINT kSendTimeoutMs = 5000;
const DWORD kPollMs = 50;

LRESULT SendBounded(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs,
                             &result))
        return -1;
    return static_cast<LRESULT>(result);
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK AddProcessWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}

// Visible top-level windows of one process, in z-order.
std::vector<HWND> TopLevelWindows(DWORD processId)
{
    WindowSearch search{processId, {}};
    EnumWindows(AddProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK AddWindow(HWND window, LPARAM parameter)
{
    reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(parent, AddWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}

// A message box's message is its longest static text (the icon is a static without text).
std::wstring MessageOf(HWND box)
{
    std::wstring message;
    for (HWND child : Children(box)) {
        if (_wcsicmp(ClassOf(child).c_str(), L"Static") != 0)
            continue;
        std::wstring text = UiSession::TextOf(child);
        if (text.size() > message.size())
            message = text;
    }
    return message;
}

}  // namespace

UiSession::UiSession(const std::wstring& program, const std::wstring& arguments)
{
    std::wstring commandLine = QuoteArgument(program);
    if (!arguments.empty())
        commandLine += L" " + arguments;
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
        ADD_FAILURE() << "cannot start " << Narrow(commandLine) << ": " << GetLastError();
        process_ = {};
    }
}

UiSession::~UiSession()
{
    if (!Started())
        return;
    if (Running()) {
        for (const MessageBoxView& box : OpenMessageBoxes()) {
            ADD_FAILURE() << "a window was still open: \"" << Narrow(box.caption) << "\": "
                          << Narrow(box.text);
            PostMessageW(box.window, WM_COMMAND, IDCANCEL, 0);
        }
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool UiSession::Running() const
{
    return Started() && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool UiSession::OwnedByProgram(HWND window) const
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == process_.dwProcessId;
}

HWND UiSession::WaitForWindow(const std::wstring& title, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        for (HWND window : TopLevelWindows(process_.dwProcessId)) {
            if (TextOf(window) == title) {
                if (!window_)
                    window_ = window;
                return window;
            }
        }
        if (!Running())
            return nullptr;
        Sleep(kPollMs);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::wstring UiSession::TextOf(HWND window)
{
    LRESULT length = SendBounded(window, WM_GETTEXTLENGTH);
    if (length <= 0)
        return L"";
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = SendBounded(window, WM_GETTEXT, text.size(),
                                 reinterpret_cast<LPARAM>(text.data()));
    return copied > 0 ? std::wstring(text.data(), static_cast<size_t>(copied)) : L"";
}

bool UiSession::Enabled(int id) const
{
    return IsWindowEnabled(Item(id)) != FALSE;
}

bool UiSession::Checked(int id) const
{
    return SendBounded(Item(id), BM_GETCHECK) == BST_CHECKED;
}

bool UiSession::Visible(int id) const
{
    return IsWindowVisible(Item(id)) != FALSE;
}

std::vector<std::wstring> UiSession::ComboEntries(int id) const
{
    std::vector<std::wstring> entries;
    HWND combo = Item(id);
    LRESULT count = SendBounded(combo, CB_GETCOUNT);
    for (LRESULT index = 0; index < count; ++index) {
        LRESULT length = SendBounded(combo, CB_GETLBTEXTLEN, index);
        std::vector<wchar_t> text(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
        if (length > 0)
            SendBounded(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        entries.emplace_back(text.data());
    }
    return entries;
}

LRESULT UiSession::Send(int id, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendBounded(Item(id), message, wParam, lParam);
}

int UiSession::ComboSelection(int id) const
{
    return static_cast<int>(SendBounded(Item(id), CB_GETCURSEL));
}

bool UiSession::Click(int id) const
{
    // A person cannot click what is disabled or hidden.
    HWND button = Item(id);
    if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button))
        return false;
    return PostMessageW(button, BM_CLICK, 0, 0) != FALSE;
}

void UiSession::PressKey(int id, WORD virtualKey) const
{
    HWND control = id ? Item(id) : window_;
    PostMessageW(control, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(control, WM_KEYUP, virtualKey, 0xC0000001);
}

void UiSession::Post(UINT message, WPARAM wParam, LPARAM lParam) const
{
    PostMessageW(window_, message, wParam, lParam);
}

bool UiSession::Settle(DWORD timeoutMs) const
{
    // Posted messages wait behind whatever the program does now (the removal's timer blocks
    // it up to half a second); a moment, then an answered message, covers both.
    Sleep(timeoutMs < 600 ? timeoutMs : 600);
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

std::vector<MessageBoxView> UiSession::OpenMessageBoxes() const
{
    std::vector<MessageBoxView> boxes;
    for (HWND window : TopLevelWindows(process_.dwProcessId)) {
        if (window == window_ || ClassOf(window) != L"#32770")
            continue;
        boxes.push_back({window, TextOf(window), MessageOf(window)});
    }
    return boxes;
}

std::optional<MessageBoxView> UiSession::WaitForMessageBox(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        std::vector<MessageBoxView> boxes = OpenMessageBoxes();
        if (!boxes.empty()) {
            // The text is set before the box shows, but give it a moment to paint.
            Sleep(200);
            return boxes.front();
        }
        if (!Running())
            break;
        Sleep(kPollMs);
    } while (GetTickCount() - start < timeoutMs);
    return std::nullopt;
}

bool UiSession::Answer(const MessageBoxView& box, int buttonId)
{
    HWND button = GetDlgItem(box.window, buttonId);
    if (!button || !IsWindowEnabled(button))
        return false;
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    DWORD start = GetTickCount();
    while (IsWindow(box.window) && IsWindowVisible(box.window)) {
        if (GetTickCount() - start > kSendTimeoutMs)
            return false;
        Sleep(kPollMs);
    }
    return true;
}

bool UiSession::WaitForExit(DWORD timeoutMs, DWORD* exitCode)
{
    if (!Started() || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(process_.hProcess, exitCode);
    return true;
}

std::wstring ScreenshotPath(const std::wstring& name)
{
    return BuildPath(L"screenshots\\ui\\" + name + L".png");
}

bool SaveScreenshot(HWND window, const std::wstring& name, HWND alsoShown)
{
    Sleep(300);  // let the window paint what it was just told
    RECT rect, other;
    if (!GetWindowRect(window, &rect))
        return false;
    if (alsoShown && GetWindowRect(alsoShown, &other))
        UnionRect(&rect, &rect, &other);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;

    // What the display shows there, box, caption and all.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows top to bottom
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool captured = false;
    std::vector<BYTE> rgb;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        captured = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top,
                          SRCCOPY | CAPTUREBLT) != FALSE;
        GdiFlush();
        const BYTE* bgra = static_cast<const BYTE*>(bits);
        rgb.reserve(static_cast<size_t>(width) * height * 3);
        for (size_t i = 0; captured && i < static_cast<size_t>(width) * height; ++i) {
            rgb.push_back(bgra[i * 4 + 2]);
            rgb.push_back(bgra[i * 4 + 1]);
            rgb.push_back(bgra[i * 4]);
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!captured)
        return false;
    CreateDirectoryW(BuildPath(L"screenshots").c_str(), nullptr);
    CreateDirectoryW(BuildPath(L"screenshots\\ui").c_str(), nullptr);
    return WritePng(ScreenshotPath(name), width, height, rgb);
}

namespace {

uint32_t Crc32(const std::string& bytes)
{
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        ready = true;
    }
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes)
        crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void PutBigEndian(std::string& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char* type, const std::string& data)
{
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    std::string typed = std::string(type, 4) + data;
    out += typed;
    PutBigEndian(out, Crc32(typed));
}

}  // namespace

// Uncompressed ("stored") deflate blocks keep the writer short; the pictures are small.
bool WritePng(const std::wstring& path, int width, int height, const std::vector<BYTE>& rgb)
{
    if (rgb.size() != static_cast<size_t>(width) * height * 3)
        return false;
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0';  // filter: none
        raw.append(reinterpret_cast<const char*>(&rgb[static_cast<size_t>(y) * width * 3]),
                   static_cast<size_t>(width) * 3);
    }
    std::string zlib = "\x78\x01";
    uint32_t a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t offset = 0; offset < raw.size() || offset == 0; offset += 65535) {
        size_t length = std::min<size_t>(65535, raw.size() - offset);
        bool last = offset + length >= raw.size();
        zlib += static_cast<char>(last ? 1 : 0);
        zlib += static_cast<char>(length & 0xFF);
        zlib += static_cast<char>(length >> 8);
        zlib += static_cast<char>(~length & 0xFF);
        zlib += static_cast<char>((~length >> 8) & 0xFF);
        zlib.append(raw, offset, length);
        if (last)
            break;
    }
    PutBigEndian(zlib, (b << 16) | a);

    std::string header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    header += "\x08\x02";          // 8 bits, RGB
    header += std::string(3, '\0');  // deflate, adaptive filters, no interlace
    std::string png = "\x89PNG\r\n\x1a\n";
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", "");

    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, png.data(), static_cast<DWORD>(png.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == png.size();
}

}  // namespace test

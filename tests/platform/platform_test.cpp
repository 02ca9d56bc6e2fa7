#include "platform/strings.h"
#include "platform/unique_handle.h"

#include <gtest/gtest.h>

namespace {

TEST(Strings, FormatTakesWideStringsAndGrows)
{
    EXPECT_EQ(Format(L"%s - %lx", L"C:\\x", 0x20ul), L"C:\\x - 20");
    EXPECT_EQ(Format(L"Key: %s; Error: %ld", L"a\\b", 2l), L"Key: a\\b; Error: 2");
    std::wstring longText(1000, L'x');
    EXPECT_EQ(Format(L"[%s]", longText.c_str()), L"[" + longText + L"]");
}

TEST(Strings, CaseAndAffixes)
{
    EXPECT_EQ(ToLower(L"C:\\Program Files\\CORLA"), L"c:\\program files\\corla");
    EXPECT_TRUE(StartsWith(L"Corla 11", L"Corla"));
    EXPECT_FALSE(StartsWith(L"Cor", L"Corla"));
    EXPECT_TRUE(EndsWith(L"x\\AutoUpdate.exe", L"\\AutoUpdate.exe"));
    EXPECT_TRUE(EqualsNoCase(L"ABC", L"abc"));
    EXPECT_EQ(WithTrailingBackslash(L"C:\\a"), L"C:\\a\\");
    EXPECT_EQ(WithTrailingBackslash(L"C:\\a\\"), L"C:\\a\\");
    EXPECT_EQ(WithTrailingBackslash(L""), L"");
}

TEST(UniqueHandle, ClosesOnceAndMoves)
{
    UniqueHandle event(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    ASSERT_TRUE(event.Valid());
    HANDLE raw = event.Get();
    UniqueHandle moved(std::move(event));
    EXPECT_FALSE(event.Valid());
    EXPECT_EQ(moved.Get(), raw);
    moved.Reset();
    EXPECT_FALSE(moved.Valid());
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(raw, &flags));  // closed
}

}  // namespace

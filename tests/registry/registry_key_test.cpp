// The registry key holder on the real registry views.
#include "registry/registry_key.h"
#include "support/machine.h"

#include <gtest/gtest.h>

using test::Machine;
using test::View;

namespace {

const wchar_t kRoot[] = L"SOFTWARE\\TidoTest";

TEST(RegistryKey, ReadsStringsOnlyWhenWholeAndTerminated)
{
    Machine machine;
    std::wstring fits(258, L'a'), tooLong(259, L'b');
    const wchar_t unterminated[] = {L'x', L'y'};
    const BYTE odd[] = {'a', 0, 'b'};
    machine.SetString(HKEY_LOCAL_MACHINE, kRoot, L"Fits", fits);
    machine.SetString(HKEY_LOCAL_MACHINE, kRoot, L"TooLong", tooLong);
    machine.SetExpandString(HKEY_LOCAL_MACHINE, kRoot, L"Expand", L"%TEMP%\\x");
    machine.SetDword(HKEY_LOCAL_MACHINE, kRoot, L"Number", 5);
    machine.SetRaw(HKEY_LOCAL_MACHINE, kRoot, L"Unterminated", REG_SZ, unterminated, 4);
    machine.SetRaw(HKEY_LOCAL_MACHINE, kRoot, L"Odd", REG_SZ, odd, 3);
    machine.SetRaw(HKEY_LOCAL_MACHINE, kRoot, L"Empty", REG_SZ, nullptr, 0);
    machine.SetString(HKEY_LOCAL_MACHINE, kRoot, L"", L"default");

    RegistryKey key;
    ASSERT_EQ(OpenRegistryKey(key, HKEY_LOCAL_MACHINE, kRoot, kRegistryRead | KEY_WOW64_64KEY),
              ERROR_SUCCESS);
    struct Case {
        const wchar_t* name;
        std::wstring expected;
    } cases[] = {
        {L"Fits", fits},       {L"TooLong", L""}, {L"Expand", L"%TEMP%\\x"},
        {L"Number", L""},      {L"Unterminated", L""}, {L"Odd", L""},
        {L"Empty", L""},       {L"Missing", L""},  {L"", L"default"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadRegistryString(key, c.name), c.expected) << testing::PrintToString(
                                                                   std::wstring(c.name));
}

TEST(RegistryKey, OpenKeepsTheOldKeyOnFailureAndRemembersTheView)
{
    Machine machine;
    machine.CreateKey(HKEY_LOCAL_MACHINE, kRoot, View::k32);
    RegistryKey key;
    ASSERT_EQ(OpenRegistryKey(key, HKEY_LOCAL_MACHINE, kRoot, kRegistryRead | KEY_WOW64_32KEY),
              ERROR_SUCCESS);
    HKEY held = key.Handle();
    EXPECT_EQ(key.View(), static_cast<REGSAM>(KEY_WOW64_32KEY));
    EXPECT_EQ(OpenRegistryKey(key, HKEY_LOCAL_MACHINE, kRoot, kRegistryRead | KEY_WOW64_64KEY),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key.Handle(), held);
    EXPECT_EQ(CloseRegistryKey(key), ERROR_SUCCESS);
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(key.View(), 0u);
}

TEST(RegistryKey, DeletesATreeInOneViewOnly)
{
    Machine machine;
    for (View view : {View::k64, View::k32}) {
        machine.SetString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest\\Tree\\A\\B", L"v", L"x", view);
        machine.CreateKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest\\Tree\\C", view);
    }
    RegistryKey key;
    ASSERT_EQ(OpenRegistryKey(key, HKEY_LOCAL_MACHINE, kRoot, kRegistryRead | KEY_WOW64_64KEY),
              ERROR_SUCCESS);
    EXPECT_EQ(DeleteRegistryTree(key, L"Tree"), ERROR_SUCCESS);
    EXPECT_FALSE(Machine::KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest\\Tree", View::k64));
    EXPECT_TRUE(Machine::KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest\\Tree\\A\\B", View::k32));
    EXPECT_EQ(DeleteRegistryTree(key, L"Tree"), ERROR_FILE_NOT_FOUND);
}

TEST(RegistryKey, DeletingASubKeyWithChildrenFails)
{
    Machine machine;
    machine.CreateKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest\\Parent\\Child");
    RegistryKey key;
    ASSERT_EQ(OpenRegistryKey(key, HKEY_LOCAL_MACHINE, kRoot, kRegistryReadWrite | KEY_WOW64_64KEY),
              ERROR_SUCCESS);
    EXPECT_NE(DeleteRegistrySubKey(key, L"Parent"), ERROR_SUCCESS);
    EXPECT_TRUE(Machine::KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TidoTest\\Parent\\Child"));
}

}  // namespace

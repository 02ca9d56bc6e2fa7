// The product's network provider cut out of the provider order: the list logic, then the
// step on the real registry value.
#include "system/provider_order.h"

#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "support/fake_system.h"
#include "support/log_reader.h"
#include "support/machine.h"
#include "support/paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;
using test::Machine;

namespace {

const wchar_t kOrderKey[] = L"SYSTEM\\CurrentControlSet\\Control\\NetworkProvider\\Order";
const wchar_t kOrderValue[] = L"ProviderOrder";
const std::string kPrefix = "TIDO: TrimProviderOrder: ";

TEST(TrimProviderList, RemovesTheFirstProductNameFoundAsAWholeItem)
{
    struct Case {
        const wchar_t* list;
        const wchar_t* expected;
    } cases[] = {
        {L"A,B,npcorla,C", L"A,B,C"},
        {L"npcorla64,A", L"A"},
        {L"A,npcorla64", L"A"},
        {L"npcorla", L""},
        {L"A,npcorla,npcorla64,B", L"A,npcorla,B"},  // the 64-bit name first, only once
        {L"npcorla,A,npcorla", L"A,npcorla"},
        {L"A,B", L"A,B"},
        // Other providers whose names contain the product's stay.
        {L"npcorla64x,A", L"npcorla64x,A"},
        {L"A,mynpcorla", L"A,mynpcorla"},
        {L"npcorla64x,mynpcorla,npcorla", L"npcorla64x,mynpcorla"},
        {L"A,NPCORLA", L"A,NPCORLA"},
        {L"A,,npcorla", L"A,"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrimProviderList(c.list), c.expected) << test::Narrow(c.list);
}

// The provider order of the test machine is put back as it was after each test.
class ProviderOrder : public ::testing::Test {
protected:
    ProviderOrder() { machine.CreateKey(HKEY_LOCAL_MACHINE, kOrderKey); }
    ~ProviderOrder() override { Restore(); }

    struct RawValue {
        bool present = false;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    static void WriteRaw(const RawValue& value)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kOrderKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
            return;
        if (value.present)
            RegSetValueExW(key, kOrderValue, 0, value.type, value.data.data(),
                           static_cast<DWORD>(value.data.size()));
        else
            RegDeleteValueW(key, kOrderValue);
        RegCloseKey(key);
    }
    void Restore() { WriteRaw(saved); }
    static RawValue ReadRaw()
    {
        RawValue value;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kOrderKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return value;
        DWORD size = 0;
        if (RegQueryValueExW(key, kOrderValue, nullptr, &value.type, nullptr, &size) ==
            ERROR_SUCCESS) {
            value.present = true;
            value.data.resize(size);
            RegQueryValueExW(key, kOrderValue, nullptr, nullptr, value.data.data(), &size);
        }
        RegCloseKey(key);
        return value;
    }
    Lines Log() { return test::ReadLogLines(); }

    Machine machine;
    RawValue saved = ReadRaw();
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
};

TEST_F(ProviderOrder, WritesTheTrimmedOrUnchangedListBackAsText)
{
    struct Case {
        const wchar_t* seeded;
        const wchar_t* written;
    } cases[] = {
        {L"A,B,npcorla,C", L"A,B,C"},
        {L"A,B", L"A,B"},
    };
    for (const Case& c : cases) {
        test::ClearLogs();
        machine.SetExpandString(HKEY_LOCAL_MACHINE, kOrderKey, kOrderValue, c.seeded);
        dialog.TrimProviderOrder();
        RawValue value = ReadRaw();
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(Machine::ReadString(HKEY_LOCAL_MACHINE, kOrderKey, kOrderValue), c.written);
        EXPECT_EQ(Log(), (Lines{kPrefix + "Get ProviderOrder value: " + test::Narrow(c.seeded),
                                kPrefix + "Set ProviderOrder value: " + test::Narrow(c.written)}));
    }
}

// An order that cannot be read is never replaced by an empty one.
TEST_F(ProviderOrder, LeavesAnUnreadableOrderAsItIs)
{
    const std::wstring tooLong = L"npcorla," + std::wstring(251, L'A');  // 259 characters
    const DWORD number = 7;
    struct Case {
        const char* what;
        DWORD type;
        const void* data;
        DWORD size;
    } cases[] = {
        {"missing", REG_NONE, nullptr, 0},
        {"a number", REG_DWORD, &number, sizeof(number)},
        {"too long", REG_SZ, tooLong.c_str(), static_cast<DWORD>((tooLong.size() + 1) * 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::ClearLogs();
        WriteRaw(RawValue{});
        if (c.data)
            machine.SetRaw(HKEY_LOCAL_MACHINE, kOrderKey, kOrderValue, c.type, c.data, c.size);
        RawValue before = ReadRaw();
        dialog.TrimProviderOrder();
        RawValue after = ReadRaw();
        EXPECT_EQ(after.present, before.present);
        EXPECT_EQ(after.type, before.type);
        EXPECT_EQ(after.data, before.data);
        EXPECT_EQ(Log(), (Lines{kPrefix + "WARNING: Cannot read ProviderOrder, the provider "
                                          "order is left as it is"}));
    }
}

}  // namespace

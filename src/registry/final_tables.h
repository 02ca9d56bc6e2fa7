#pragma once
// The keys that CleanCDM, CleanRegistryFinally and CleanRegistryMUIPack delete, in the order
// they are deleted. Each deletion takes the key with everything below it, in the view given.
#include "product/product.h"

#include <windows.h>

constexpr REGSAM kView32 = KEY_WOW64_32KEY;
constexpr REGSAM kView64 = KEY_WOW64_64KEY;

// Which installation a row belongs to: only the selected product's rows run.
enum class ProductSet { Corla, Larkspan };

// One key deleted with all it holds: sub-key `subKey` of hive\parent.
struct KeyTreeEntry {
    ProductSet set;
    HKEY hive;
    const wchar_t* parent;
    const wchar_t* subKey;
    REGSAM view;
};

// A parent of the client platform's keys: each of the sub-keys below is deleted from it.
struct ClientPlatformParent {
    HKEY hive;
    const wchar_t* path;
    REGSAM view;
};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with hexadecimal digits.
constexpr bool IsBracedGuid(const wchar_t* text)
{
    constexpr const wchar_t pattern[] = L"{********-****-****-****-************}";
    for (int i = 0; pattern[i] != L'\0'; ++i) {
        wchar_t c = text[i];
        bool hex = (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') ||
                   (c >= L'a' && c <= L'f');
        if (pattern[i] == L'*' ? !hex : c != pattern[i])
            return false;
    }
    return text[38] == L'\0';
}
static_assert(IsBracedGuid(ElevationPolicyA), "ElevationPolicyA must be a braced GUID");
static_assert(IsBracedGuid(ElevationPolicyB), "ElevationPolicyB must be a braced GUID");
static_assert(IsBracedGuid(PlatformComponentId), "PlatformComponentId must be a braced GUID");

// CleanCDM: every parent, in this order, loses these four sub-keys in this order.
inline const ClientPlatformParent kClientPlatformParents[] = {
    {HKEY_LOCAL_MACHINE, L"Software\\Omb\\Gorvo\\Caldrimon", kView32},
    {HKEY_LOCAL_MACHINE, L"Software\\Tav\\Gorvo\\Caldrimon", kView32},
    {HKEY_CURRENT_USER, L"Software\\Omb\\Gorvo\\Caldrimon", kView64},
    {HKEY_CURRENT_USER, L"Software\\Tav\\Gorvo\\Caldrimon", kView64},
    {HKEY_USERS, L".DEFAULT\\Software\\Omb\\Gorvo\\Caldrimon", kView32},
    {HKEY_USERS, L".DEFAULT\\Software\\Tav\\Gorvo\\Caldrimon", kView32},
};
inline const wchar_t* const kClientPlatformSubKeys[] = {
    L"Corla",
    ElevationPolicyA,
    PlatformComponentId,
    ElevationPolicyB,
};

// CleanRegistryFinally: the products' own keys.
inline const KeyTreeEntry kProductKeys[] = {
    {ProductSet::Larkspan, HKEY_LOCAL_MACHINE, L"Software\\Omb", L"OLKA", kView32},
    {ProductSet::Larkspan, HKEY_CURRENT_USER, L"Software\\Omb", L"OLKA", kView64},
    {ProductSet::Larkspan, HKEY_LOCAL_MACHINE, L"Software\\Tav", L"TLKA", kView32},
    {ProductSet::Larkspan, HKEY_CURRENT_USER, L"Software\\Tav", L"TLKA", kView64},
    {ProductSet::Corla, HKEY_LOCAL_MACHINE, L"Software\\Gorvo", L"Corla", kView32},
    {ProductSet::Corla, HKEY_CURRENT_USER, L"Software\\Gorvo", L"Corla", kView64},
    {ProductSet::Corla, HKEY_CURRENT_USER, L"Software\\Gorvo", L"Corla Pellow", kView64},
    {ProductSet::Corla, HKEY_CURRENT_USER, L"Software\\Gorvo", L"Y2K", kView64},
    {ProductSet::Corla, HKEY_CURRENT_USER, L"Software\\Omb", L"Corla", kView64},
    {ProductSet::Corla, HKEY_CURRENT_USER, L"Software\\Tav", L"Corla", kView64},
};

// CleanRegistryMUIPack: the language packs' keys.
inline const KeyTreeEntry kLanguagePackKeys[] = {
    {ProductSet::Larkspan, HKEY_LOCAL_MACHINE, L"Software\\Omb", L"OLKAMUIPack", kView32},
    {ProductSet::Larkspan, HKEY_CURRENT_USER, L"Software\\Omb", L"OLKAMUIPack", kView64},
    {ProductSet::Larkspan, HKEY_LOCAL_MACHINE, L"Software\\Tav", L"TLKAMUIPack", kView32},
    {ProductSet::Larkspan, HKEY_CURRENT_USER, L"Software\\Tav", L"TLKAMUIPack", kView64},
    {ProductSet::Corla, HKEY_LOCAL_MACHINE, L"Software\\Gorvo", L"MUIPack", kView32},
    {ProductSet::Corla, HKEY_LOCAL_MACHINE, L"Software\\Gorvo", L"MUIPack80", kView32},
    {ProductSet::Corla, HKEY_LOCAL_MACHINE, L"Software\\Gorvo", L"MUIPack70", kView32},
    {ProductSet::Corla, HKEY_CURRENT_USER, L"Software\\Omb", L"MUIPack", kView64},
    {ProductSet::Corla, HKEY_CURRENT_USER, L"Software\\Tav", L"MUIPack", kView64},
    {ProductSet::Corla, HKEY_CURRENT_USER, L"Software\\Gorvo", L"MUIPack80", kView64},
    {ProductSet::Corla, HKEY_CURRENT_USER, L"Software\\Gorvo", L"MUIPack70", kView64},
};

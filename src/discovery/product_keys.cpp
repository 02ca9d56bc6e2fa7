#include "discovery/product_keys.h"

#include "platform/strings.h"
#include "product/product.h"
#include "registry/registry_key.h"

const wchar_t* ProductKeyPath(bool larkspan, REGSAM access)
{
    if (!larkspan)
        return kCorlaProductKey;
    RegistryKey tlka;
    return OpenRegistryKey(tlka, HKEY_LOCAL_MACHINE, kTlkaProductKey, access) == ERROR_SUCCESS
               ? kTlkaProductKey
               : kOlkaProductKey;
}

bool BelongsToProduct(const std::wstring& displayName, bool larkspan)
{
    auto matches = [&displayName](const auto& prefixes) {
        for (const wchar_t* prefix : prefixes) {
            if (StartsWith(displayName, prefix))
                return true;
        }
        return false;
    };
    return larkspan ? matches(kLarkspanNamePrefixes) : matches(kCorlaNamePrefixes);
}

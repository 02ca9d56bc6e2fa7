// The product's network provider cut out of the network provider order.
#include "system/provider_order.h"

#include "dialog/tido_dlg.h"
#include "product/product.h"
#include "registry/registry_doors.h"
#include "registry/registry_key.h"

namespace {

const wchar_t kTag[] = L"TIDO: TrimProviderOrder";
const wchar_t kOrderKey[] = L"SYSTEM\\CurrentControlSet\\Control\\NetworkProvider\\Order";
const wchar_t kOrderValue[] = L"ProviderOrder";

// Position of the first item of the list equal to name, or npos.
size_t FindItem(const std::wstring& list, const std::wstring& name)
{
    size_t start = 0;
    for (;;) {
        size_t end = list.find(L',', start);
        size_t length = (end == std::wstring::npos ? list.size() : end) - start;
        if (list.compare(start, length, name) == 0)
            return start;
        if (end == std::wstring::npos)
            return std::wstring::npos;
        start = end + 1;
    }
}

}  // namespace

std::wstring TrimProviderList(const std::wstring& list)
{
    for (const wchar_t* provider : kNetworkProviders) {
        std::wstring name = provider;
        size_t position = FindItem(list, name);
        if (position == std::wstring::npos)
            continue;
        if (position == 0)  // the name and the comma after it
            return list.size() > name.size() ? list.substr(name.size() + 1) : L"";
        // the comma before the name and the name; a comma after it stays
        return list.substr(0, position - 1) + list.substr(position + name.size());
    }
    return list;
}

// The provider order is written back only when it could be read: an empty list in its place
// would cut every network provider of the machine. (An empty value reads as unreadable too;
// it holds nothing to remove.)
void CTidoDlg::TrimProviderOrder()
{
    RegistryKey key;
    if (OpenRegistryKey(key, HKEY_LOCAL_MACHINE, kOrderKey, kRegistryRead) != ERROR_SUCCESS)
        return;
    std::wstring list = ReadRegistryString(key, kOrderValue);
    CloseRegistryKey(key);
    if (list.empty()) {
        WriteLog(kTag, L"WARNING: ",
                 L"Cannot read ProviderOrder, the provider order is left as it is");
        return;
    }
    WriteLog(kTag, L"Get ProviderOrder value: ", list);
    list = TrimProviderList(list);
    if (OpenRegistryKey(key, HKEY_LOCAL_MACHINE, kOrderKey, KEY_WRITE) != ERROR_SUCCESS)
        return;
    SetRegistryString(key, kOrderValue, list);
    WriteLog(kTag, L"Set ProviderOrder value: ", list);
}

#include "discovery/corla_instance.h"

CCorlaInstance& CInstanceMap::Add(const std::wstring& key)
{
    if (CCorlaInstance* existing = Find(key)) {
        *existing = CCorlaInstance();
        return *existing;
    }
    entries_.emplace_back(key, std::make_unique<CCorlaInstance>());
    return *entries_.back().second;
}

CCorlaInstance* CInstanceMap::Find(const std::wstring& key) const
{
    for (const Entry& entry : entries_) {
        if (entry.first == key)
            return entry.second.get();
    }
    return nullptr;
}

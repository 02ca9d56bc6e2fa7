#pragma once
#include <string>

// The comma-separated provider list without the product's provider: the first of its names
// (in their configured order) that stands in the list as a whole item is removed once,
// together with one comma next to it. A name that only forms part of another provider's name
// is not the product's provider.
std::wstring TrimProviderList(const std::wstring& list);

#pragma once
#include <windows.h>

#include <string>

// The product's own key under HKEY_LOCAL_MACHINE: Corla's one key, or for Larkspan the TLKA
// key when it opens with the given access and the older OLKA key otherwise.
const wchar_t* ProductKeyPath(bool larkspan, REGSAM access);

// Whether a display name belongs to Corla (larkspan false) or to Larkspan (true): it begins
// with one of that product's name prefixes, compared case-sensitively.
bool BelongsToProduct(const std::wstring& displayName, bool larkspan);

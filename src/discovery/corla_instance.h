#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

// One detected installation of Corla or Larkspan.
class CCorlaInstance {
public:
    virtual ~CCorlaInstance() = default;

    std::wstring m_strDisplayName;
    std::wstring m_strLocalPackage;
    std::wstring m_strDisplayVersion;
    std::wstring m_strInstallDate;
    std::wstring m_strInstallLocation;
    std::wstring m_strInstallSource;
    std::wstring m_strEstimatedSize;  // decimal text
    std::wstring m_strUninstallString;
    DWORD m_nVersionMajor = 0;
    DWORD m_nVersionMinor = 0;
};

// The detected installations by instance key, owning the records and iterating in the order
// the scan found them, so that every choice among them is repeatable.
class CInstanceMap {
public:
    using Entry = std::pair<std::wstring, std::unique_ptr<CCorlaInstance>>;

    // The record for the key, made empty when new (an existing key keeps its position).
    CCorlaInstance& Add(const std::wstring& key);
    CCorlaInstance* Find(const std::wstring& key) const;
    bool Contains(const std::wstring& key) const { return Find(key) != nullptr; }
    void RemoveAll() { entries_.clear(); }
    size_t GetCount() const { return entries_.size(); }
    bool IsEmpty() const { return entries_.empty(); }

    std::vector<Entry>::const_iterator begin() const { return entries_.begin(); }
    std::vector<Entry>::const_iterator end() const { return entries_.end(); }

private:
    std::vector<Entry> entries_;
};

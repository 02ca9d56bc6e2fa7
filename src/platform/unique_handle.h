#pragma once
#include <windows.h>

#include <utility>

// One owner for every kind of handle: each traits struct names the handle type, its invalid
// value and its close call.
template <typename Traits>
class Unique {
public:
    using Handle = typename Traits::Handle;

    Unique() = default;
    explicit Unique(Handle handle) : handle_(handle) {}
    ~Unique() { Reset(); }
    Unique(Unique&& other) noexcept : handle_(other.Release()) {}
    Unique& operator=(Unique&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;

    Handle Get() const { return handle_; }
    bool Valid() const { return handle_ != Traits::Invalid(); }
    explicit operator bool() const { return Valid(); }
    // For out-parameters: closes what is held, then hands out the address.
    Handle* Put()
    {
        Reset();
        return &handle_;
    }
    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid())
    {
        if (Valid())
            Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

struct HkeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
struct HandleTraits {  // kernel objects whose failure value is NULL (events, threads, processes)
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFileW and snapshots: INVALID_HANDLE_VALUE on failure
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct ScHandleTraits {
    using Handle = SC_HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseServiceHandle(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
struct LibraryTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { FreeLibrary(h); }
};

using UniqueHkey = Unique<HkeyTraits>;
using UniqueHandle = Unique<HandleTraits>;
using UniqueFileHandle = Unique<FileHandleTraits>;
using UniqueScHandle = Unique<ScHandleTraits>;
using UniqueFindHandle = Unique<FindHandleTraits>;
using UniqueLibrary = Unique<LibraryTraits>;

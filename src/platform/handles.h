#pragma once

#include <windows.h>
// Needs the declarations of windows.h first.
#include <wininet.h>

#include <utility>

namespace velloran {

// Move-only owner of one Windows handle; Traits give the "no handle" value and the release call.
template <typename Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::invalid(); }

    Handle release() { return std::exchange(handle_, Traits::invalid()); }
    void reset(Handle handle = Traits::invalid()) {
        const Handle old = std::exchange(handle_, handle);
        if (old != Traits::invalid() && old != handle) {
            Traits::close(old);
        }
    }

  private:
    Handle handle_ = Traits::invalid();
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) { CloseHandle(h); }
};
using UniqueFile = UniqueHandle<FileHandleTraits>;

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { CloseHandle(h); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) { FindClose(h); }
};
using UniqueFind = UniqueHandle<FindHandleTraits>;

template <typename T>
struct GdiObjectTraits {
    using Handle = T;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { DeleteObject(h); }
};
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;

struct IconTraits {
    using Handle = HICON;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { DestroyIcon(h); }
};
using UniqueIcon = UniqueHandle<IconTraits>;

struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { GlobalFree(h); }
};
using UniqueGlobal = UniqueHandle<GlobalMemoryTraits>;

struct WindowTraits {
    using Handle = HWND;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { DestroyWindow(h); }
};
using UniqueWindow = UniqueHandle<WindowTraits>;

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { DeleteDC(h); }
};
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

// A COM interface pointer, released once.
template <typename Interface>
struct ComTraits {
    using Handle = Interface*;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { h->Release(); }
};
template <typename Interface>
using UniqueCom = UniqueHandle<ComTraits<Interface>>;

struct InternetHandleTraits {
    using Handle = HINTERNET;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { InternetCloseHandle(h); }
};
using UniqueInternet = UniqueHandle<InternetHandleTraits>;

// Selects an object into a DC for one scope and puts the previous one back.
class ScopedSelectObject {
  public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelectObject() { SelectObject(dc_, previous_); }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace velloran

#pragma once

#include <windows.h>

#include <uxtheme.h>

// One owner per handle: a move-only holder that releases its handle by the
// rule of its Traits (invalid value and close function).
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

    // For out-parameters: releases what is held and lends the slot.
    Handle* put() noexcept {
        reset();
        return &handle_;
    }

    Handle release() noexcept {
        Handle handle = handle_;
        handle_ = Traits::Invalid();
        return handle;
    }

    void reset(Handle handle = Traits::Invalid()) noexcept {
        if (handle_ != Traits::Invalid()) Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

// Most handles are null when absent; kRelease is the function that gives one back.
template <typename H, auto kRelease>
struct NullHandleTraits {
    using Handle = H;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { kRelease(h); }
};

struct FileTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { CloseHandle(h); }
};

using UniqueHKey = UniqueHandle<NullHandleTraits<HKEY, RegCloseKey>>;
using UniqueMemoryDC = UniqueHandle<NullHandleTraits<HDC, DeleteDC>>;
// A DC from CreateDC goes back with DeleteDC, like a memory DC.
using UniqueCreatedDC = UniqueHandle<NullHandleTraits<HDC, DeleteDC>>;
using UniqueBrush = UniqueHandle<NullHandleTraits<HBRUSH, DeleteObject>>;
using UniquePen = UniqueHandle<NullHandleTraits<HPEN, DeleteObject>>;
using UniqueRegion = UniqueHandle<NullHandleTraits<HRGN, DeleteObject>>;
using UniqueBitmap = UniqueHandle<NullHandleTraits<HBITMAP, DeleteObject>>;
using UniqueFont = UniqueHandle<NullHandleTraits<HFONT, DeleteObject>>;
using UniqueTheme = UniqueHandle<NullHandleTraits<HTHEME, CloseThemeData>>;
using UniqueFile = UniqueHandle<FileTraits>;
using UniqueKernelHandle = UniqueHandle<NullHandleTraits<HANDLE, CloseHandle>>;
using UniqueAccelerators = UniqueHandle<NullHandleTraits<HACCEL, DestroyAcceleratorTable>>;
// Memory from GlobalAlloc, until the clipboard takes it.
using UniqueGlobalMemory = UniqueHandle<NullHandleTraits<HGLOBAL, GlobalFree>>;

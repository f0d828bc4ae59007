#pragma once
// Move-only owners for the Windows handles Corvane holds. Each handle has exactly one owner;
// copying is impossible, so a handle cannot be released twice.
#include <windows.h>

#include <utility>

namespace corvane {

template <typename Traits>
class UniqueHandle {
public:
    using pointer = typename Traits::pointer;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(pointer h) noexcept : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    ~UniqueHandle() { reset(); }

    pointer get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Traits::invalid(); }

    pointer release() noexcept { return std::exchange(h_, Traits::invalid()); }
    void reset(pointer h = Traits::invalid()) noexcept {
        pointer old = std::exchange(h_, h);
        if (old != Traits::invalid()) {
            Traits::close(old);
        }
    }
    // For out-parameters of API calls: releases what is held and hands out the slot.
    pointer* put() noexcept {
        reset();
        return &h_;
    }

private:
    pointer h_ = Traits::invalid();
};

namespace handle_traits {
template <typename T, auto Close>
struct Simple {
    using pointer = T;
    static constexpr T invalid() noexcept { return nullptr; }
    static void close(T h) noexcept { Close(h); }
};
inline void CloseKey(HKEY h) noexcept { ::RegCloseKey(h); }
inline void DeleteGdi(HGDIOBJ h) noexcept { ::DeleteObject(h); }
inline void DeleteBitmap(HBITMAP h) noexcept { ::DeleteObject(h); }
inline void DeleteMemDc(HDC h) noexcept { ::DeleteDC(h); }
inline void DestroyIconHandle(HICON h) noexcept { ::DestroyIcon(h); }
inline void DestroyMenuHandle(HMENU h) noexcept { ::DestroyMenu(h); }
inline void FreeGlobal(HGLOBAL h) noexcept { ::GlobalFree(h); }
inline void DestroyWindowHandle(HWND h) noexcept { ::DestroyWindow(h); }
inline void CloseKernelHandle(HANDLE h) noexcept { ::CloseHandle(h); }
} // namespace handle_traits

using UniqueHkey = UniqueHandle<handle_traits::Simple<HKEY, handle_traits::CloseKey>>;
using UniqueGdiObject = UniqueHandle<handle_traits::Simple<HGDIOBJ, handle_traits::DeleteGdi>>;
using UniqueBitmap = UniqueHandle<handle_traits::Simple<HBITMAP, handle_traits::DeleteBitmap>>;
// A device context made by CreateCompatibleDC / CreateDC.
using UniqueMemDc = UniqueHandle<handle_traits::Simple<HDC, handle_traits::DeleteMemDc>>;
using UniqueIcon = UniqueHandle<handle_traits::Simple<HICON, handle_traits::DestroyIconHandle>>;
using UniqueMenu = UniqueHandle<handle_traits::Simple<HMENU, handle_traits::DestroyMenuHandle>>;
using UniqueGlobal = UniqueHandle<handle_traits::Simple<HGLOBAL, handle_traits::FreeGlobal>>;
using UniqueWindow = UniqueHandle<handle_traits::Simple<HWND, handle_traits::DestroyWindowHandle>>;
// Kernel handles whose failure value is NULL (events, mutexes, processes, threads).
using UniqueKernelHandle = UniqueHandle<handle_traits::Simple<HANDLE, handle_traits::CloseKernelHandle>>;
namespace handle_traits {
// CreateFile says "no file" with INVALID_HANDLE_VALUE, not with a null handle.
struct File {
    using pointer = HANDLE;
    static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) noexcept { ::CloseHandle(h); }
};
} // namespace handle_traits
using UniqueFile = UniqueHandle<handle_traits::File>;

// A device context borrowed from a window with GetDC: released, not deleted.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    WindowDc(WindowDc&& other) noexcept
        : hwnd_(std::exchange(other.hwnd_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDc& operator=(WindowDc&&) = delete;
    ~WindowDc() {
        if (dc_) {
            ::ReleaseDC(hwnd_, dc_);
        }
    }
    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint as one owner.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) noexcept : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &ps_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { ::EndPaint(hwnd_, &ps_); }
    HDC get() const noexcept { return dc_; }
    const PAINTSTRUCT& paint() const noexcept { return ps_; }

private:
    HWND hwnd_;
    HDC dc_ = nullptr;
    PAINTSTRUCT ps_{};
};

// Selects an object into a device context and puts the previous one back on scope exit,
// so an owned object is never deleted while still selected.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(::SelectObject(dc, obj)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (old_ && old_ != HGDI_ERROR) {
            ::SelectObject(dc_, old_);
        }
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// GlobalLock / GlobalUnlock as one owner.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL h) noexcept : h_(h), p_(h ? ::GlobalLock(h) : nullptr) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard() {
        if (p_) {
            ::GlobalUnlock(h_);
        }
    }
    void* get() const noexcept { return p_; }

private:
    HGLOBAL h_;
    void* p_;
};

} // namespace corvane

#pragma once

#include <windows.h>

// A window DC from GetDC, handed back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) noexcept : hwnd_(hwnd), hdc_(GetDC(hwnd)) {}
    ~WindowDC() {
        if (hdc_) ReleaseDC(hwnd_, hdc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const noexcept { return hdc_; }
    explicit operator bool() const noexcept { return hdc_ != nullptr; }

private:
    HWND hwnd_;
    HDC hdc_;
};

// The DC of one WM_PAINT, from BeginPaint to EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) noexcept : hwnd_(hwnd), hdc_(BeginPaint(hwnd, &ps_)) {}
    ~PaintDC() { EndPaint(hwnd_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC get() const noexcept { return hdc_; }
    const PAINTSTRUCT& paint() const noexcept { return ps_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC hdc_;
};

// An object selected into a DC; the previous one goes back when the guard ends.
class SelectionGuard {
public:
    SelectionGuard(HDC hdc, HGDIOBJ object) noexcept
        : hdc_(hdc), previous_(object ? SelectObject(hdc, object) : nullptr) {}
    ~SelectionGuard() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(hdc_, previous_);
    }
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;

private:
    HDC hdc_;
    HGDIOBJ previous_;
};

// A clip region selected into a DC (the DC keeps its own copy); the clip is
// removed when the guard ends, so no later drawing into the DC inherits it.
class ClipGuard {
public:
    ClipGuard(HDC hdc, HRGN region) noexcept : hdc_(hdc) { SelectClipRgn(hdc_, region); }
    ~ClipGuard() { SelectClipRgn(hdc_, nullptr); }
    ClipGuard(const ClipGuard&) = delete;
    ClipGuard& operator=(const ClipGuard&) = delete;

private:
    HDC hdc_;
};

// The state of a DC that is only borrowed (modes, colours, clip, selected
// objects), saved now and restored when the guard ends.
class SavedDCState {
public:
    explicit SavedDCState(HDC hdc) noexcept : hdc_(hdc), saved_(SaveDC(hdc)) {}
    ~SavedDCState() {
        if (saved_) RestoreDC(hdc_, saved_);
    }
    SavedDCState(const SavedDCState&) = delete;
    SavedDCState& operator=(const SavedDCState&) = delete;

private:
    HDC hdc_;
    int saved_;
};

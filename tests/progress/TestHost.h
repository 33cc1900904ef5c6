#pragma once

#include <windows.h>

#include "ProgressBarHost.h"
#include "Surface.h"

// A bar's host: a hidden window of the surface's size (unless it has none) and the surface as its
// DC, whose reads, one per paint, it counts.
class TestHost : public ProgressBarHost {
public:
    TestHost(int width, int height, bool withWindow = true)
        : surface(width, height),
          hwnd_(withWindow ? CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                             nullptr, nullptr)
                           : nullptr) {}
    ~TestHost() override { DestroyWindow(hwnd_); }

    HWND hWnd() const override { return hwnd_; }
    HDC hDC() const override {
        ++paints;
        return surface.hDC();
    }

    Surface surface;
    mutable int paints = 0;

private:
    HWND hwnd_;
};

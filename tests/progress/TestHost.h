#pragma once

#include <windows.h>

#include "GdiSurface.h"
#include "ProgressBarHost.h"

// A host for a progress bar: a hidden window of the given client size (for
// the client rectangle and the theme) and a DIB surface as its DC. Counts the
// reads of its DC, one per paint.
class TestHost : public ProgressBarHost {
public:
    enum class Window { kPresent, kAbsent };

    TestHost(int width, int height, Window window = Window::kPresent);
    ~TestHost() override;
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    HWND hWnd() const override { return hwnd_; }
    HDC hDC() const override {
        ++paints_;
        return surface.hDC();
    }

    int Paints() const noexcept { return paints_; }

    GdiSurface surface;

private:
    HWND hwnd_ = nullptr;
    mutable int paints_ = 0;
};

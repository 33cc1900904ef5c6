#pragma once

#include <windows.h>

// What a progress bar paints into: a window (for its client rectangle and its
// theme) and a DC to draw on. Read at every paint; a host without a window
// (hWnd 0) or without a DC gets no paint.
//
// The DC belongs to the host, which keeps it valid at least for the pass.
// The bar only borrows it: it never releases it, and after each pass, also
// one that fails, the DC's modes, colours, clip and selected objects are as
// the host left them.
class ProgressBarHost {
public:
    virtual ~ProgressBarHost() = default;

    virtual HWND hWnd() const = 0;
    virtual HDC hDC() const = 0;
};

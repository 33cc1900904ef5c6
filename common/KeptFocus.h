#pragma once

#include <windows.h>

// Like a dialog: the control that has the focus when its window goes inactive
// gets it back when the window is activated again; `first` gets it before any
// control had it, or when the kept one is gone.
class KeptFocus {
public:
    void OnActivate(HWND window, bool active, HWND first) noexcept {
        if (active) {
            SetFocus(focus_ && IsChild(window, focus_) ? focus_ : first);
            return;
        }
        HWND focused = GetFocus();
        if (focused && IsChild(window, focused)) focus_ = focused;
    }

private:
    HWND focus_ = nullptr;
};

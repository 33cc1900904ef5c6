#pragma once

#include <windows.h>

#include <span>

#include "UniqueHandle.h"

// A top-level window's keyboard shortcuts. While the object lives, the
// program's message loop and its yield translate them (TranslateAcceleratorW)
// for the window and its controls, before the keys move the focus as in a
// dialog; a shortcut arrives as WM_COMMAND with its id (WM_SYSCOMMAND when the
// id is an item of the window's system menu).
class Accelerators {
public:
    Accelerators() = default;
    ~Accelerators();
    Accelerators(const Accelerators&) = delete;
    Accelerators& operator=(const Accelerators&) = delete;

    void Install(HWND window, std::span<const ACCEL> keys);

private:
    HWND window_ = nullptr;
    UniqueAccelerators table_;
};

// The loop's part: true when the message was a shortcut of a window with
// Accelerators installed (its command has been sent).
bool TranslateShortcut(HWND root, MSG& msg);

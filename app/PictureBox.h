#pragma once

#include <windows.h>

#include <functional>

#include "ProgressBarHost.h"

// A picture box: a child window with a device context of its own (hDC stays
// valid for the window's life) that raises a Paint event on every repaint.
class PictureBox : public ProgressBarHost {
public:
    PictureBox() = default;
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;

    HWND Create(HWND parent, int id, int x, int y, int width, int height, DWORD extraStyle);

    HWND hWnd() const noexcept override { return hwnd_; }
    HDC hDC() const noexcept override;

    std::function<void()> Paint;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnPaint();

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
};

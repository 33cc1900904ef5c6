#pragma once

#include <windows.h>

#include <functional>

#include "ProgressBarHost.h"
#include "WindowBase.h"

// A picture box: a child window with a device context of its own (hDC stays
// valid for the window's life) that raises a Paint event on every repaint.
class PictureBox final : public WindowBase, public ProgressBarHost {
public:
    PictureBox() = default;

    HWND Create(HWND parent, int id, int x, int y, int width, int height, DWORD extraStyle);

    HWND hWnd() const noexcept override { return WindowBase::hWnd(); }
    HDC hDC() const noexcept override;

    std::function<void()> Paint;

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();

    HFONT font_ = nullptr;
};

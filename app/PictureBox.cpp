#include "PictureBox.h"

#include "DCGuards.h"

namespace {

constexpr wchar_t kClassName[] = L"QuillmarkPictureBox";

}  // namespace

HWND PictureBox::Create(HWND parent, int id, int x, int y, int width, int height, DWORD extraStyle) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    WNDCLASSEXW windowClass{};
    windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    RegisterClassOnce(instance, windowClass);
    return CreateHandle(0, kClassName, L"", WS_CHILD | WS_VISIBLE | extraStyle, x, y, width, height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance);
}

HDC PictureBox::hDC() const noexcept {
    // The class has its own DC: GetDC hands out the same one every time and
    // it needs no ReleaseDC.
    return hWnd() ? GetDC(hWnd()) : nullptr;
}

LRESULT PictureBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            // A paint handler covers the whole box; erasing first would
            // flash the background between the two.
            if (Paint) return 1;
            break;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam)) InvalidateRect(hWnd(), nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
    }
    return DefaultHandling(msg, wParam, lParam);
}

void PictureBox::OnPaint() {
    const PaintDC paint(hWnd());
    if (Paint) Paint();
}

#include "PictureBox.h"

#include "DCGuards.h"

namespace {

constexpr wchar_t kClassName[] = L"QuillmarkPictureBox";

void RegisterPictureBoxClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kClassName, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
}

}  // namespace

HWND PictureBox::Create(HWND parent, int id, int x, int y, int width, int height, DWORD extraStyle) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    RegisterPictureBoxClass(instance, &PictureBox::WindowProc);
    hwnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | extraStyle, x, y, width, height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
    return hwnd_;
}

HDC PictureBox::hDC() const noexcept {
    // The class has its own DC: GetDC hands out the same one every time and
    // it needs no ReleaseDC.
    return hwnd_ ? GetDC(hwnd_) : nullptr;
}

LRESULT CALLBACK PictureBox::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        switch (msg) {
            case WM_PAINT:
                self->OnPaint();
                return 0;
            case WM_ERASEBKGND:
                // A paint handler covers the whole box; erasing first would
                // flash the background between the two.
                if (self->Paint) return 1;
                break;
            case WM_SETFONT:
                self->font_ = reinterpret_cast<HFONT>(wParam);
                if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
                return 0;
            case WM_GETFONT:
                return reinterpret_cast<LRESULT>(self->font_);
        }
    }
    if (msg == WM_NCDESTROY && self) self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void PictureBox::OnPaint() {
    PaintDC paint(hwnd_);
    if (!Paint) return;
    try {
        Paint();
    } catch (...) {
        // A paint handler's failure must not leave the window procedure.
    }
}

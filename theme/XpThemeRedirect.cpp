// Frame and button redirection: the subclass procedures that FixThemeSupport
// installs, and the button's window properties.
#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

#include "DCGuards.h"
#include "ThemePlatform.h"
#include "UniqueHandle.h"
#include "XpThemeInternals.h"

namespace mdXpThemeSupport {

namespace {

constexpr char kHotProperty[] = "Hot";
constexpr char kPaintedProperty[] = "Painted";
constexpr const char* kFrameProcedure = "pvRedirectFrame";
constexpr const char* kButtonProcedure = "pvRedirectButton";
constexpr DWORD kHoverTimeMs = 1;

bool GetFlag(HWND hwnd, const char* name) {
    return GetPropA(hwnd, name) != nullptr;
}

void SetFlag(HWND hwnd, const char* name, bool value) {
    SetPropA(hwnd, name, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(value ? 1 : 0)));
}

bool ThemedAndVisible(HWND hwnd) {
    return pvIsThemed() && pvIsVisible(hwnd);
}

// Before the control's own processing. Answers true when the message was
// painted here and is done.
bool BeforeControl(HWND hwnd, UINT msg, const ThemeControl* control, bool& redrawSuspended) {
    switch (msg) {
        case WM_PAINT:
            if (!ThemedAndVisible(hwnd)) return false;
            pvSetPainted(hwnd, true);
            {
                PaintDC dc(hwnd);
                if (!control) throw RuntimeError(kErrObjectNotSet, kErrorSource);
                pvDrawButton(hwnd, dc.get(), *control);
            }
            return true;
        case WM_SETFOCUS:
        case WM_ENABLE:
            // The control's own unthemed focus or enable drawing must not
            // reach the screen.
            if (ThemedAndVisible(hwnd)) {
                redrawSuspended = true;
                SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
            }
            return false;
    }
    return false;
}

void AfterControl(HWND hwnd, UINT msg, bool redrawSuspended) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_MOUSEHOVER:
            if (!pvIsThemed()) return;
            pvSetHot(hwnd, true);
            pvInvalidateButton(hwnd);
            return;
        case WM_KILLFOCUS:
        case WM_MOUSELEAVE:
            if (!pvIsThemed()) return;
            pvSetHot(hwnd, false);
            pvInvalidateButton(hwnd);
            return;
        case WM_MOUSEMOVE:
            if (!pvIsThemed()) return;
            if (!pvGetHot(hwnd)) {
                TRACKMOUSEEVENT track{sizeof track, TME_HOVER | TME_LEAVE, hwnd, kHoverTimeMs};
                TrackMouseEvent(&track);
            }
            if (!pvGetPainted(hwnd)) pvInvalidateButton(hwnd);
            return;
        case WM_SETFOCUS:
        case WM_ENABLE:
            // Redrawing switched off before goes back on even when the styles
            // went away meanwhile: a window left without redraw stays invisible.
            if (!redrawSuspended) return;
            SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
            if (msg == WM_ENABLE)
                InvalidateRect(hwnd, nullptr, FALSE);
            else
                pvInvalidateButton(hwnd);
            return;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if (!pvIsThemed()) return;
            pvInvalidateButton(hwnd);
            return;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &pvRedirectButton, 0);
            RemovePropA(hwnd, kHotProperty);
            RemovePropA(hwnd, kPaintedProperty);
            return;
    }
}

}  // namespace

LRESULT CALLBACK pvRedirectFrame(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    LRESULT result = 0;
    TrapStep(kFrameProcedure, [&] {
        switch (msg) {
            case WM_MOUSELEAVE:
            case WM_PRINTCLIENT:
                // Straight to the default procedure, past the frame's own and
                // every subclass below this one.
                result = DefWindowProcA(hwnd, msg, wParam, lParam);
                break;
            default:
                result = DefSubclassProc(hwnd, msg, wParam, lParam);
                break;
        }
    });
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &pvRedirectFrame, 0);
    return result;
}

LRESULT CALLBACK pvRedirectButton(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR refData) {
    // The control object outlives its window (FixThemeSupport's contract).
    const auto* control = reinterpret_cast<const ThemeControl*>(refData);
    bool redrawSuspended = false;
    bool done = false;
    TrapStep(kButtonProcedure, [&] { done = BeforeControl(hwnd, msg, control, redrawSuspended); });
    if (done) return 0;
    LRESULT result = 0;
    TrapStep(kButtonProcedure, [&] { result = DefSubclassProc(hwnd, msg, wParam, lParam); });
    TrapStep(kButtonProcedure, [&] { AfterControl(hwnd, msg, redrawSuspended); });
    return result;
}

void pvInvalidateButton(HWND hwnd) noexcept {
    RECT client{};
    GetClientRect(hwnd, &client);
    // A repaint already pending is dropped: only the shape is repainted.
    ValidateRect(hwnd, nullptr);
    UniqueRegion shape;
    {
        const UniqueTheme theme(OpenThemeData(hwnd, L"BUTTON"));
        CurrentThemePlatform().GetThemeBackgroundRegion(theme.get(), nullptr, BP_PUSHBUTTON, PBS_NORMAL, &client,
                                                        shape.put());
    }
    // Without a shape (no theme) the whole client area is repainted.
    InvalidateRgn(hwnd, shape.get(), FALSE);
}

bool pvGetHot(HWND hwnd) noexcept {
    return GetFlag(hwnd, kHotProperty);
}

void pvSetHot(HWND hwnd, bool hot) noexcept {
    SetFlag(hwnd, kHotProperty, hot);
}

bool pvGetPainted(HWND hwnd) noexcept {
    return GetFlag(hwnd, kPaintedProperty);
}

void pvSetPainted(HWND hwnd, bool painted) noexcept {
    SetFlag(hwnd, kPaintedProperty, painted);
}

bool pvIsVisible(HWND hwnd) noexcept {
    return IsWindowVisible(hwnd) != FALSE;
}

}  // namespace mdXpThemeSupport

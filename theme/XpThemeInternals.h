#pragma once

// The visual-style module's own procedures, for its files and its tests; the
// rest of the program uses mdXpThemeSupport.h.
#include <windows.h>

#include <ocidl.h>
#include <olectl.h>
#include <cstdint>

#include "ComPtr.h"
#include "ThemeControl.h"
#include "XpThemeErrors.h"

namespace mdXpThemeSupport {

// Detection and start-up.
// The once-only flag of InitThemeSupport; the reset lets a test run the
// start-up again as a new process would.
bool InitThemeSupportDone() noexcept;
void ResetInitThemeSupport() noexcept;
bool IsComCtl6Loaded() noexcept;
bool pvIsThemed() noexcept;

// Redirection: subclass procedures and their helpers.
LRESULT CALLBACK pvRedirectFrame(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR subclassId,
                                 DWORD_PTR refData);
LRESULT CALLBACK pvRedirectButton(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR subclassId,
                                  DWORD_PTR refData);
void pvInvalidateButton(HWND hwnd) noexcept;
bool pvGetHot(HWND hwnd) noexcept;
void pvSetHot(HWND hwnd, bool hot) noexcept;
bool pvGetPainted(HWND hwnd) noexcept;
void pvSetPainted(HWND hwnd, bool painted) noexcept;
bool pvIsVisible(HWND hwnd) noexcept;

// Button painting.
struct ButtonLook {
    int state = 0;             // PBS_NORMAL .. PBS_DEFAULTED
    ComPtr<IPicture> picture;  // null: no picture is drawn
    bool focused = false;
};
// The state and picture that pvDrawButton paints (its gathering steps).
ButtonLook pvChooseButtonLook(HWND hwnd, const ThemeControl& control) noexcept;
void pvDrawButton(HWND hwnd, HDC hdc, const ThemeControl& control) noexcept;
// A source width or height of 0 means the destination's.
void pvDrawTransparentPicture(IPicture* picture, HDC hdc, std::int32_t x, std::int32_t y, std::int32_t width,
                              std::int32_t height, COLORREF transparentColor, std::int32_t sourceX,
                              std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight) noexcept;
void pvDrawDisabledPicture(IPicture* picture, HDC hdc, std::int32_t x, std::int32_t y, std::int32_t width,
                           std::int32_t height, COLORREF maskColor) noexcept;
void pvDrawRect(HDC hdc, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                COLORREF color) noexcept;
// The first if it is set and its handle is non-zero, otherwise the second.
// Throws when reading the first one's handle fails.
ComPtr<IPicture> pvPickPicture(const ComPtr<IPicture>& first, const ComPtr<IPicture>& second);
COLORREF pvSysColorToRGB(OLE_COLOR color) noexcept;
// Throws OverflowError beyond the signed 32-bit range.
std::int32_t pvHimetricToPixels(double himetric);

}  // namespace mdXpThemeSupport

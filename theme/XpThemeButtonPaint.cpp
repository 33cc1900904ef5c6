// Themed painting of a graphical button: the parent's background in the
// corners, the push-button face of the control's state, the focus rectangle,
// the caption and the picture for the state.
#include <windows.h>

#include <uxtheme.h>
#include <vssym32.h>
#include <string>

#include "CheckedArithmetic.h"
#include "DCGuards.h"
#include "OleObjects.h"
#include "Text.h"
#include "ThemeContainer.h"
#include "ThemePlatform.h"
#include "UniqueHandle.h"
#include "XpThemeInternals.h"

namespace mdXpThemeSupport {

namespace {

constexpr const char* kProcedure = "pvDrawButton";

// The parent's background outside the button's shape; BackColor there when
// the parent cannot draw it.
void DrawCorners(HWND hwnd, HDC hdc, HTHEME theme, int state, RECT client, const ThemeControl& control) {
    const ThemePlatform& platform = CurrentThemePlatform();
    UniqueRegion shape;
    platform.GetThemeBackgroundRegion(theme, hdc, BP_PUSHBUTTON, state, &client, shape.put());
    ExtSelectClipRgn(hdc, shape.get(), RGN_DIFF);
    if (platform.DrawThemeParentBackground(hwnd, hdc, &client) != S_OK)
        TrapStep(kProcedure,
                 [&] { pvDrawRect(hdc, 0, 0, client.right, client.bottom, pvSysColorToRGB(control.BackColor())); });
    ExtSelectClipRgn(hdc, nullptr, RGN_COPY);
}

// The word-wrapped caption: centred without a picture, at the foot of the
// content area with one. Answers the caption's top.
std::int32_t DrawCaption(HDC hdc, HTHEME theme, int state, const RECT& content, const std::wstring& caption,
                         bool withPicture, const ThemeControl& control) {
    HFONT font = nullptr;
    TrapStep(kProcedure, [&] { font = FontHandle(control.Font().get(), kErrorSource); });
    const SelectionGuard fontSelection(hdc, font);

    RECT measured = content;
    DrawTextA(hdc, ToAnsi(caption).c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK);

    RECT captionRect{content.left, 0, content.right, 0};
    TrapStep(kProcedure, [&] {
        captionRect.top =
            withPicture ? CheckedInt32(std::int64_t{content.bottom} - measured.bottom + 1, kErrorSource)
                        : RoundHalfEven((static_cast<double>(content.bottom) - measured.bottom) / 2 + 2, kErrorSource);
    });
    TrapStep(kProcedure, [&] {
        captionRect.bottom =
            withPicture ? content.bottom : CheckedInt32(std::int64_t{captionRect.top} + measured.bottom, kErrorSource);
    });
    DrawThemeText(theme, hdc, BP_PUSHBUTTON, state, caption.c_str(), -1, DT_CENTER | DT_WORDBREAK, 0, &captionRect);
    return captionRect.top;
}

// Centred in the content area; through the mask colour, embossed, or as it is.
void DrawPicture(HDC hdc, const ComPtr<IPicture>& picture, const RECT& content, const ThemeControl& control) {
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    TrapStep(kProcedure, [&] {
        himetricWidth = PictureWidth(picture.get(), kErrorSource);
        width = pvHimetricToPixels(himetricWidth);
    });
    TrapStep(kProcedure, [&] {
        himetricHeight = PictureHeight(picture.get(), kErrorSource);
        height = pvHimetricToPixels(himetricHeight);
    });
    std::int32_t x = 0;
    std::int32_t y = 0;
    TrapStep(kProcedure, [&] {
        x = RoundHalfEven((static_cast<double>(content.right) - content.left - width) / 2 + content.left, kErrorSource);
    });
    TrapStep(kProcedure, [&] {
        y = RoundHalfEven((static_cast<double>(content.bottom) - content.top - height) / 2 + content.top, kErrorSource);
    });

    if (TrapTest(kProcedure, [&] { return control.Enabled(); })) {
        if (TrapTest(kProcedure, [&] { return control.UseMaskColor(); })) {
            TrapStep(kProcedure, [&] {
                pvDrawTransparentPicture(picture.get(), hdc, x, y, width, height, pvSysColorToRGB(control.MaskColor()),
                                         0, 0, 0, 0);
            });
        } else {
            // Given bottom-up, the destination meets the picture's own
            // bottom-up HIMETRIC source: the picture comes out upright.
            TrapStep(kProcedure, [&] {
                RenderPicture(picture.get(), hdc, x, CheckedInt32(std::int64_t{y} + height, kErrorSource), width,
                              CheckedInt32(-std::int64_t{height}, kErrorSource), 0, 0, himetricWidth, himetricHeight,
                              kErrorSource);
            });
        }
    } else {
        TrapStep(kProcedure, [&] {
            pvDrawDisabledPicture(picture.get(), hdc, x, y, width, height, pvSysColorToRGB(control.MaskColor()));
        });
    }
}

}  // namespace

ButtonLook pvChooseButtonLook(HWND hwnd, const ThemeControl& control) noexcept {
    const LRESULT stateWord = SendMessageA(hwnd, BM_GETSTATE, 0, 0);
    bool value = false;
    TrapStep(kProcedure, [&] { value = control.Value() != 0; });
    const bool hot = pvGetHot(hwnd);
    const bool pushed = (stateWord & BST_PUSHED) != 0;
    const bool focused = (stateWord & BST_FOCUS) != 0;

    // Only command buttons carry Default; for the other kinds the read fails
    // and the default look stays off.
    bool isDefault = false;
    IgnoreFailure([&] { isDefault = control.Default(); });
    if (GetFocus() != hwnd)
        IgnoreFailure([&] {
            const ThemeControl* active = control.Parent().ActiveControl();
            if (!active) throw RuntimeError(kErrObjectNotSet, kErrorSource);
            // When the window's active control is a command button (another
            // one, or this one while the window is in the background), that
            // button holds the default look, whatever its own Default says.
            static_cast<void>(active->Default());
            isDefault = false;
        });

    ButtonLook look;
    look.focused = focused;
    auto pick = [&](auto choose) { TrapStep(kProcedure, [&] { look.picture = choose(); }); };
    if (TrapTest(kProcedure, [&] { return !control.Enabled(); })) {
        look.state = PBS_DISABLED;
        pick([&] { return pvPickPicture(control.DisabledPicture(), control.Picture()); });
    } else if (hot && !pushed) {
        look.state = PBS_HOT;
        pick([&] { return value ? pvPickPicture(control.DownPicture(), control.Picture()) : control.Picture(); });
    } else if (value || pushed) {
        look.state = PBS_PRESSED;
        pick([&] { return pvPickPicture(control.DownPicture(), control.Picture()); });
    } else if (focused || isDefault) {
        look.state = PBS_DEFAULTED;
        pick([&] { return control.Picture(); });
    } else {
        look.state = PBS_NORMAL;
        pick([&] { return control.Picture(); });
    }

    // A picture whose handle is 0, or cannot be read, counts as none.
    bool usable = false;
    TrapStep(kProcedure, [&] { usable = look.picture && PictureHandle(look.picture.get(), kErrorSource) != 0; });
    if (!usable) look.picture.reset();
    return look;
}

void pvDrawButton(HWND hwnd, HDC hdc, const ThemeControl& control) noexcept {
    ButtonLook look = pvChooseButtonLook(hwnd, control);

    RECT client{};
    GetClientRect(hwnd, &client);
    UniqueTheme theme(OpenThemeData(hwnd, L"BUTTON"));
    TrapStep(kProcedure, [&] { DrawCorners(hwnd, hdc, theme.get(), look.state, client, control); });
    DrawThemeBackground(theme.get(), hdc, BP_PUSHBUTTON, look.state, &client, &client);
    RECT content{};
    GetThemeBackgroundContentRect(theme.get(), hdc, BP_PUSHBUTTON, look.state, &client, &content);
    if (look.focused) DrawFocusRect(hdc, &content);

    std::wstring caption;
    if (TrapTest(kProcedure, [&] {
            caption = control.Caption();
            return !caption.empty();
        }))
        TrapStep(kProcedure, [&] {
            // The picture is centred in the space above the caption.
            content.bottom =
                DrawCaption(hdc, theme.get(), look.state, content, caption, static_cast<bool>(look.picture), control);
        });
    theme.reset();

    if (look.picture) TrapStep(kProcedure, [&] { DrawPicture(hdc, look.picture, content, control); });
}

}  // namespace mdXpThemeSupport

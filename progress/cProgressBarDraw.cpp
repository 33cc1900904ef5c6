// The paint pass of cProgressBar: background, caption, bar, segment gaps and
// frame composed in the buffer, then copied to the host in one transfer.
#include <windows.h>

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "CheckedArithmetic.h"
#include "ColourBrush.h"
#include "DCGuards.h"
#include "OleObjects.h"
#include "ProgressErrorSource.h"
#include "RuntimeError.h"
#include "Text.h"
#include "UniqueHandle.h"
#include "cProgressBar.h"

namespace {

constexpr std::int32_t kClassicBlockPx = 8;
constexpr std::int32_t kClassicGapPx = 2;

}  // namespace

// Working values of one pass; nothing outlives it.
struct cProgressBar::Pass {
    HWND hWnd = nullptr;
    HDC dc = nullptr;  // the buffer's when buffered, else the target
    bool buffered = false;
    std::int32_t width = 0, height = 0;
    bool horizontal = false;
    RECT area{}, outer{}, inner{};
    UniqueTheme theme;
    bool themed = false;
    std::int32_t block = 0, gap = 0;
};

void cProgressBar::Draw() noexcept {
    try {
        if (!drawObject_) return;
        const HWND window = drawObject_->hWnd();
        RECT client{};
        if (!window || !GetClientRect(window, &client)) return;
        const HDC target = drawObject_->hDC();
        if (!target) return;
        DrawToDC(window, target, client.left, client.top, client.right, client.bottom);
    } catch (...) {
        // A failed pass leaves the host with its last picture; nothing reaches the caller.
    }
}

void cProgressBar::DrawToDC(HWND hWnd, HDC hDC, std::int32_t left, std::int32_t top, std::int32_t right,
                            std::int32_t bottom) {
    // A pass without a buffer draws into the host's DC itself.
    const SavedDCState hostState(hDC);
    Pass pass;
    pass.hWnd = hWnd;
    pass.area = RECT{left, top, right, bottom};
    pass.width = CheckedInt32(std::llabs(std::int64_t{right} - left), kProgressErrorSource);
    pass.height = CheckedInt32(std::llabs(std::int64_t{bottom} - top), kProgressErrorSource);
    pass.horizontal = pass.width > pass.height;

    pass.dc = buffer_.hDC(pass.width, pass.height);
    pass.buffered = pass.dc != nullptr;
    if (pass.buffered)
        OffsetRect(&pass.area, -left, -top);
    else
        pass.dc = hDC;

    pvDrawBackground(pass);
    if (segments_ && !pass.themed) {
        pass.block = kClassicBlockPx;
        pass.gap = kClassicGapPx;
    }

    pass.outer = pass.area;
    pass.inner = pass.area;
    if (borderStyle_ > 0) {
        const int inset = !pass.themed && appearance_ == kAppearanceEdge3D ? 2 : 1;
        InflateRect(&pass.inner, -inset, -inset);
    }

    const bool captionWanted = showText_ && !text_.empty();
    const UINT textFlags = captionWanted ? pvTextFlags() : 0;
    if (captionWanted && !pass.themed) pvDrawClassicCaption(pass.dc, pass.inner, textFlags, foreColor_);

    const RECT bar = pvBarRect(pass);
    {
        // Classic passes keep everything that follows to the bar; a themed
        // pass keeps only a bar picture to it.
        UniqueRegion region;
        std::optional<ClipGuard> clip;
        if (!pass.themed || barPicture_) {
            region.reset(CreateRectRgnIndirect(&bar));
            clip.emplace(pass.dc, region.get());
        }
        pvDrawBar(pass, bar);
        if (pass.themed) clip.reset();
        if (segments_ && !pass.themed) pvDrawGaps(pass, bar);
        if (captionWanted) {
            if (pass.themed)
                pvDrawThemedCaption(pass, textFlags);
            else
                pvDrawClassicCaption(pass.dc, pass.inner, textFlags, barForeColor_);
        }
    }

    if (!pass.themed && (borderStyle_ == kBorderSunken || borderStyle_ == kBorderRaised))
        pvDrawBorder(pass.dc, appearance_, pass.outer, borderStyle_ == kBorderRaised);

    // A zero width or height would mean "the whole buffer" to its Draw.
    if (pass.buffered && pass.width > 0 && pass.height > 0) buffer_.Draw(hDC, 0, 0, pass.width, pass.height, left, top);
}

void cProgressBar::pvDrawBackground(Pass& pass) {
    if (backPicture_) {
        pvDrawPicture(pass.dc, *backPicture_, backPictureMode_, pass.width, pass.height);
        return;
    }
    if (xpStyle_) pvOpenTheme(pass);
    if (!pass.themed) ColourBrush(backColor_).Fill(pass.dc, pass.area);
}

// Any failure here leaves the pass classic; an opened theme stays open to the
// end of the pass.
void cProgressBar::pvOpenTheme(Pass& pass) {
    pass.theme.reset(OpenThemeData(pass.hWnd, L"Progress"));
    if (!pass.theme) return;
    int chunk = 0;
    int space = 0;
    if (GetThemeInt(pass.theme.get(), 0, 0, TMT_PROGRESSCHUNKSIZE, &chunk) != S_OK ||
        GetThemeInt(pass.theme.get(), 0, 0, TMT_PROGRESSSPACESIZE, &space) != S_OK)
        return;
    pass.block = CheckedInt32(std::int64_t{chunk} + space, kProgressErrorSource);
    pass.gap = space;
    const int part = pass.horizontal ? PP_BAR : PP_BARVERT;
    pass.themed = DrawThemeBackground(pass.theme.get(), pass.dc, part, 0, &pass.area, &pass.area) == S_OK;
}

RECT cProgressBar::pvBarRect(const Pass& pass) const {
    const double f = pvFraction();
    const RECT& inner = pass.inner;
    RECT bar = inner;
    if (pass.horizontal)
        bar.right =
            RoundHalfEven(f * (static_cast<double>(inner.right) - inner.left) + inner.left, kProgressErrorSource);
    else
        bar.top = RoundHalfEven((1.0 - f) * (static_cast<double>(inner.bottom) - inner.top) + inner.top,
                                kProgressErrorSource);

    if (segments_ || pass.themed) {
        const std::int64_t pitch = std::int64_t{pass.block} + pass.gap;
        if (pitch == 0) throw RuntimeError(kErrDivisionByZero, kProgressErrorSource);
        const std::int64_t length =
            pass.horizontal ? std::int64_t{bar.right} - bar.left : std::int64_t{bar.bottom} - bar.top;
        if (pass.horizontal)
            bar.right = CheckedInt32(bar.right - length % pitch, kProgressErrorSource);
        else
            bar.top = CheckedInt32(bar.top + length % pitch, kProgressErrorSource);
    }
    return bar;
}

void cProgressBar::pvDrawBar(const Pass& pass, const RECT& bar) {
    if (barPicture_) {
        pvDrawPicture(pass.dc, *barPicture_, barPictureMode_, pass.width, pass.height);
    } else if (pass.themed) {
        const int part = pass.horizontal ? PP_CHUNK : PP_CHUNKVERT;
        DrawThemeBackground(pass.theme.get(), pass.dc, part, 0, &bar, &bar);
    } else {
        ColourBrush(barColor_).Fill(pass.dc, bar);
    }
}

// Each pitch of the bar shows a block followed by a gap in the background
// colour, counted from the bar's start edge.
void cProgressBar::pvDrawGaps(const Pass& pass, const RECT& bar) const {
    const ColourBrush brush(backColor_);
    const std::int64_t pitch = std::int64_t{pass.block} + pass.gap;
    const std::int64_t extent =
        pass.horizontal ? std::int64_t{bar.right} - bar.left : std::int64_t{bar.bottom} - bar.top;
    for (std::int64_t d = pass.block; d <= extent; d += pitch) {
        RECT gap = pass.inner;
        if (pass.horizontal) {
            gap.left = CheckedInt32(bar.left + d, kProgressErrorSource);
            gap.right = CheckedInt32(gap.left + std::int64_t{pass.gap}, kProgressErrorSource);
        } else {
            gap.bottom = CheckedInt32(bar.bottom - d, kProgressErrorSource);
            gap.top = CheckedInt32(gap.bottom - std::int64_t{pass.gap}, kProgressErrorSource);
        }
        brush.Fill(pass.dc, gap);
    }
}

void cProgressBar::pvDrawClassicCaption(HDC hdc, RECT rect, UINT flags, std::int32_t colour) const {
    const SelectionGuard font(hdc, FontHandle(font_.get(), kProgressErrorSource));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, pvTranslateColor(colour, nullptr));
    const std::string padded = ToAnsi(L" " + text_ + L" ");
    DrawTextA(hdc, padded.c_str(), -1, &rect, flags);
}

void cProgressBar::pvDrawThemedCaption(const Pass& pass, UINT flags) const {
    const SelectionGuard font(pass.dc, FontHandle(font_.get(), kProgressErrorSource));
    RECT content = pass.inner;
    GetThemeBackgroundContentRect(pass.theme.get(), pass.dc, 0, 0, &pass.inner, &content);
    DrawThemeText(pass.theme.get(), pass.dc, 0, 0, text_.c_str(), -1, flags, 0, &content);
}

void cProgressBar::pvDrawPicture(HDC hdc, pcMemDC& picture, std::int32_t mode, std::int32_t width,
                                 std::int32_t height) {
    const HDC source = picture.hDC(picture.Width(), picture.Height());
    if (mode == kPictureTile)
        pvTileBitmap(hdc, 0, 0, width, height, source, picture.Width(), picture.Height(), 0, 0);
    else
        StretchBlt(hdc, 0, 0, width, height, source, 0, 0, picture.Width(), picture.Height(), SRCCOPY);
}

void cProgressBar::pvDrawBorder(HDC hdc, std::int32_t appearance, const RECT& rect, bool raised) {
    const auto [l, t, r, b] = rect;
    if (appearance == kAppearanceFlat) {
        const UniquePen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
        const SelectionGuard selected(hdc, pen.get());
        MoveToEx(hdc, l, t, nullptr);
        LineTo(hdc, r - 1, t);
        LineTo(hdc, r - 1, b - 1);
        LineTo(hdc, l, b - 1);
        LineTo(hdc, l, t);
    } else if (appearance == kAppearanceThin3D) {
        const UniquePen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
        const UniquePen highlight(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
        // Each pair of lines: the start point, then the pen and the two ends.
        auto lines = [hdc](const UniquePen& pen, POINT from, POINT to1, POINT to2) {
            MoveToEx(hdc, from.x, from.y, nullptr);
            const SelectionGuard selected(hdc, pen.get());
            LineTo(hdc, to1.x, to1.y);
            LineTo(hdc, to2.x, to2.y);
        };
        if (raised) {
            lines(highlight, {l, b - 2}, {l, t}, {r - 1, t});
            lines(shadow, {r - 1, t}, {r - 1, b - 1}, {l - 1, b - 1});
        } else {
            lines(shadow, {l, b - 1}, {l, t}, {r, t});
            lines(highlight, {r - 1, t + 1}, {r - 1, b - 1}, {l, b - 1});
        }
    } else if (appearance == kAppearanceEdge3D) {
        RECT edge = rect;
        DrawEdge(hdc, &edge, raised ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_SOFT);
    }
}

void cProgressBar::pvTileBitmap(HDC hdc, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                HDC sourceDC, std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t offsetX,
                                std::int32_t offsetY) {
    if (sourceWidth == 0 || sourceHeight == 0) throw RuntimeError(kErrDivisionByZero, kProgressErrorSource);
    const std::int64_t firstColumn = (std::int64_t{x} + offsetX) % sourceWidth;
    const std::int64_t firstRow = (std::int64_t{y} + offsetY) % sourceHeight;
    const std::int64_t right = std::int64_t{x} + width;
    const std::int64_t bottom = std::int64_t{y} + height;

    std::int64_t rowTop = y;
    std::int64_t rowHeight = sourceHeight - firstRow;
    std::int64_t sourceRow = firstRow;
    while (rowTop < bottom) {
        rowHeight = std::min(rowHeight, bottom - rowTop);
        std::int64_t left = x;
        std::int64_t tileWidth = sourceWidth - firstColumn;
        std::int64_t sourceColumn = firstColumn;
        while (left < right) {
            tileWidth = std::min(tileWidth, right - left);
            BitBlt(hdc, static_cast<int>(left), static_cast<int>(rowTop), static_cast<int>(tileWidth),
                   static_cast<int>(rowHeight), sourceDC, static_cast<int>(sourceColumn), static_cast<int>(sourceRow),
                   SRCCOPY);
            left += tileWidth;
            tileWidth = sourceWidth;
            sourceColumn = 0;
        }
        rowTop += rowHeight;
        rowHeight = sourceHeight;
        sourceRow = 0;
    }
}

// The drawing procedures and small conversions that themed button painting
// uses: transparent and disabled pictures, solid rectangles, colours, sizes.
#include <windows.h>

#include "CheckedArithmetic.h"
#include "DCGuards.h"
#include "OleObjects.h"
#include "UniqueHandle.h"
#include "XpThemeInternals.h"

namespace mdXpThemeSupport {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kHimetricPerInch = 2540.0;
constexpr COLORREF kWhite = RGB(255, 255, 255);

bool IsEmpty(IPicture* picture) {
    return !picture || PictureHandle(picture, kErrorSource) == 0;
}

double ScreenTwipsPerPixelX() {
    const WindowDC screen(nullptr);
    return kTwipsPerInch / GetDeviceCaps(screen.get(), LOGPIXELSX);
}

}  // namespace

void pvDrawTransparentPicture(IPicture* picture, HDC hdc, std::int32_t x, std::int32_t y, std::int32_t width,
                              std::int32_t height, COLORREF transparentColor, std::int32_t sourceX,
                              std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight) noexcept {
    constexpr const char* kProcedure = "pvDrawTransparentPicture";
    if (TrapTest(kProcedure, [&] { return IsEmpty(picture); })) return;
    if (sourceWidth == 0) sourceWidth = width;
    if (sourceHeight == 0) sourceHeight = height;

    SHORT type = PICTYPE_UNINITIALIZED;
    TrapStep(kProcedure, [&] { type = PictureType(picture, kErrorSource); });
    // Only bitmaps and icons can be laid into the copy; anything else would
    // leave the copy's unset pixels to be transferred.
    if (type != PICTYPE_BITMAP && type != PICTYPE_ICON) return;
    HANDLE handle = nullptr;
    TrapStep(kProcedure, [&] { handle = PictureGdiHandle(picture, kErrorSource); });

    const WindowDC screen(nullptr);
    const UniqueMemoryDC memory(CreateCompatibleDC(screen.get()));
    const UniqueBitmap copy(CreateCompatibleBitmap(screen.get(), sourceWidth, sourceHeight));
    const SelectionGuard selection(memory.get(), copy.get());
    const auto image = reinterpret_cast<LPARAM>(handle);
    if (type == PICTYPE_ICON) {
        // The areas the icon leaves open keep the transparent colour.
        pvDrawRect(memory.get(), 0, 0, sourceWidth, sourceHeight, transparentColor);
        DrawStateA(memory.get(), nullptr, nullptr, image, 0, 0, 0, sourceWidth, sourceHeight, DST_ICON);
    } else {
        DrawStateA(memory.get(), nullptr, nullptr, image, 0, 0, 0, sourceWidth, sourceHeight, DST_BITMAP);
    }
    TransparentBlt(hdc, x, y, width, height, memory.get(), sourceX, sourceY, sourceWidth, sourceHeight,
                   transparentColor);
}

void pvDrawDisabledPicture(IPicture* picture, HDC hdc, std::int32_t x, std::int32_t y, std::int32_t width,
                           std::int32_t height, COLORREF maskColor) noexcept {
    constexpr const char* kProcedure = "pvDrawDisabledPicture";
    if (TrapTest(kProcedure, [&] { return IsEmpty(picture); })) return;

    const WindowDC screen(nullptr);
    const UniqueMemoryDC memory(CreateCompatibleDC(screen.get()));
    const UniqueBitmap copy(CreateCompatibleBitmap(screen.get(), width, height));
    {
        // The picture over white, its mask colour left white. The copy
        // leaves the memory context before DrawStateA reads it.
        const SelectionGuard selection(memory.get(), copy.get());
        pvDrawRect(memory.get(), 0, 0, width, height, kWhite);
        pvDrawTransparentPicture(picture, memory.get(), 0, 0, width, height, maskColor, 0, 0, 0, 0);
    }
    DrawStateA(hdc, nullptr, nullptr, reinterpret_cast<LPARAM>(copy.get()), 0, x, y, width, height,
               DST_BITMAP | DSS_DISABLED);
}

void pvDrawRect(HDC hdc, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                COLORREF color) noexcept {
    constexpr const char* kProcedure = "pvDrawRect";
    const UniqueBrush brush(CreateSolidBrush(color));
    TrapStep(kProcedure, [&] {
        const RECT area{x, y, CheckedInt32(std::int64_t{x} + width, kErrorSource),
                        CheckedInt32(std::int64_t{y} + height, kErrorSource)};
        FillRect(hdc, &area, brush.get());
    });
}

ComPtr<IPicture> pvPickPicture(const ComPtr<IPicture>& first, const ComPtr<IPicture>& second) {
    if (first && PictureHandle(first.get(), kErrorSource) != 0) return first;
    return second;
}

COLORREF pvSysColorToRGB(OLE_COLOR color) noexcept {
    if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFFu));
    return color;
}

std::int32_t pvHimetricToPixels(double himetric) {
    return RoundHalfEven((kTwipsPerInch / ScreenTwipsPerPixelX()) * (himetric / kHimetricPerInch), kErrorSource);
}

}  // namespace mdXpThemeSupport

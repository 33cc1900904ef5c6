#include "pcMemDC.h"

#include "DCGuards.h"
#include "OleObjects.h"
#include "ProgressErrorSource.h"

namespace {

UniqueCreatedDC OpenDisplayDC() {
    return UniqueCreatedDC(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
}

HBITMAP PictureBitmap(IPicture* picture) {
    return static_cast<HBITMAP>(PictureGdiHandle(picture, kProgressErrorSource));
}

}  // namespace

pcMemDC::~pcMemDC() {
    pvDestroy();
}

void pcMemDC::SetWidth(std::int32_t value) {
    if (value == width_) return;
    if (dc_) return pvCreate(value, height_);
    width_ = value;
    hDC(width_, height_);
}

void pcMemDC::SetHeight(std::int32_t value) {
    if (value == height_) return;
    if (dc_) return pvCreate(width_, value);
    height_ = value;
    hDC(width_, height_);
}

HDC pcMemDC::hDC(std::int32_t width, std::int32_t height) {
    if (!dc_) {
        if (width > 0 && height > 0) pvCreate(width, height);
    } else if (width > width_ || height > height_) {
        pvCreate(width, height);
    }
    return dc_.get();
}

void pcMemDC::Draw(HDC targetDC, std::int32_t sourceX, std::int32_t sourceY, std::int32_t width, std::int32_t height,
                   std::int32_t destX, std::int32_t destY) const {
    if (!dc_) return;
    BitBlt(targetDC, destX, destY, width > 0 ? width : width_, height > 0 ? height : height_, dc_.get(), sourceX,
           sourceY, SRCCOPY);
}

void pcMemDC::CreateFromPicture(IPicture* picture) {
    BITMAP description{};
    if (!GetObjectA(PictureBitmap(picture), sizeof description, &description)) description = BITMAP{};
    SetWidth(description.bmWidth);
    SetHeight(description.bmHeight);

    const UniqueCreatedDC display = OpenDisplayDC();
    const UniqueMemoryDC source(CreateCompatibleDC(display.get()));
    if (!source) return;
    const SelectionGuard selected(source.get(), PictureBitmap(picture));
    BitBlt(dc_.get(), 0, 0, description.bmWidth, description.bmHeight, source.get(), 0, 0, SRCCOPY);
}

void pcMemDC::pvCreate(std::int32_t width, std::int32_t height) {
    pvDestroy();
    // A bitmap of no width or height would be a 1 by 1 monochrome one, not
    // the surface the sizes promise.
    if (width <= 0 || height <= 0) return;
    const UniqueCreatedDC display = OpenDisplayDC();
    if (!display) return;
    dc_.reset(CreateCompatibleDC(display.get()));
    if (dc_) bitmap_.reset(CreateCompatibleBitmap(display.get(), width, height));
    if (bitmap_) {
        const HGDIOBJ previous = SelectObject(dc_.get(), bitmap_.get());
        if (previous != HGDI_ERROR) previousBitmap_ = previous;
    }
    if (!previousBitmap_) return pvDestroy();
    width_ = width;
    height_ = height;
}

void pcMemDC::pvDestroy() noexcept {
    if (previousBitmap_) SelectObject(dc_.get(), previousBitmap_);
    previousBitmap_ = nullptr;
    bitmap_.reset();
    dc_.reset();
    width_ = 0;
    height_ = 0;
}

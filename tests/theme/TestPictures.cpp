#include "TestPictures.h"

#include <cstdio>
#include <string>
#include <utility>

#include "DCGuards.h"
#include "Dib32.h"
#include "OleObjects.h"

Surface::Surface(int width, int height, COLORREF fill) : width_(width), height_(height) {
    const WindowDC screen(nullptr);
    dc_.reset(CreateCompatibleDC(screen.get()));
    void* bits = nullptr;
    bitmap_.reset(CreateDib32(screen.get(), width, height, &bits));
    original_ = SelectObject(dc_.get(), bitmap_.get());
    Fill(fill);
}

Surface::Surface(Surface&& other) noexcept
    : width_(other.width_),
      height_(other.height_),
      dc_(std::move(other.dc_)),
      bitmap_(std::move(other.bitmap_)),
      original_(std::exchange(other.original_, nullptr)) {}

Surface::~Surface() {
    // The bitmap leaves the DC before either is deleted.
    if (dc_) SelectObject(dc_.get(), original_);
}

void Surface::Fill(COLORREF color) const {
    const UniqueBrush brush(CreateSolidBrush(color));
    const RECT all{0, 0, width_, height_};
    FillRect(dc_.get(), &all, brush.get());
}

int Surface::CountDifferences(const Surface& other) const {
    int differences = 0;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) differences += Pixel(x, y) != other.Pixel(x, y);
    return differences;
}

namespace {

HBITMAP MakeBitmap(int width, int height, const PixelColors& colors) {
    const WindowDC screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), width, height);
    const UniqueMemoryDC dc(CreateCompatibleDC(screen.get()));
    const SelectionGuard selection(dc.get(), bitmap);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) SetPixel(dc.get(), x, y, colors(x, y));
    return bitmap;
}

ComPtr<IPicture> MakePicture(PICTDESC& desc) {
    desc.cbSizeofstruct = sizeof desc;
    ComPtr<IPicture> picture;
    OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, picture.put_void());
    return picture;
}

}  // namespace

ComPtr<IPicture> MakeBitmapPicture(int width, int height, const PixelColors& colors) {
    PICTDESC desc{};
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = MakeBitmap(width, height, colors);
    return MakePicture(desc);
}

ComPtr<IPicture> MakeIconPicture(int width, int height, const PixelColors& colors, COLORREF open) {
    // An open pixel: mask bit 1 over a black colour pixel.
    const UniqueBitmap color(MakeBitmap(width, height, [&](int x, int y) {
        const COLORREF c = colors(x, y);
        return c == open ? RGB(0, 0, 0) : c;
    }));
    const UniqueBitmap mask(MakeBitmap(
        width, height, [&](int x, int y) { return colors(x, y) == open ? RGB(255, 255, 255) : RGB(0, 0, 0); }));
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = color.get();
    info.hbmMask = mask.get();
    PICTDESC desc{};
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = CreateIconIndirect(&info);
    return MakePicture(desc);
}

ComPtr<IPicture> MakeMetafilePicture() {
    const HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    const UniqueBrush brush(CreateSolidBrush(RGB(200, 0, 200)));
    const RECT area{0, 0, 16, 16};
    FillRect(recorder, &area, brush.get());
    PICTDESC desc{};
    desc.picType = PICTYPE_ENHMETAFILE;
    desc.emf.hemf = CloseEnhMetaFile(recorder);
    return MakePicture(desc);
}

ComPtr<IPicture> MakeEmptyPicture() {
    PICTDESC desc{};
    desc.picType = PICTYPE_NONE;
    return MakePicture(desc);
}

ComPtr<IFont> MakeFont(const wchar_t* name, int pointsTimes10000, short weight) {
    return CreateOleFont(name, pointsTimes10000 / 10000.0, weight);
}

std::string Hex(COLORREF color) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06lX", static_cast<unsigned long>(color));
    return text;
}

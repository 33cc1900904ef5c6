#include "Surface.h"

#include <algorithm>
#include <sstream>

Surface::Surface(int width, int height, COLORREF fill)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<std::uint32_t*>(bits);
    previous_ = SelectObject(dc_.get(), bitmap_.get());
    Fill(fill);
}

Surface::~Surface() {
    // The bitmap leaves the DC before either is deleted.
    if (dc_) SelectObject(dc_.get(), previous_);
}

COLORREF Surface::Pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    GdiFlush();
    const std::uint32_t bgra = bits_[y * width_ + x];
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

void Surface::SetPixel(int x, int y, COLORREF colour) {
    GdiFlush();
    bits_[y * width_ + x] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

void Surface::Fill(const RECT& rect, COLORREF colour) {
    const UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc_.get(), &rect, brush.get());
}

void Surface::CopyFrom(HDC source) {
    BitBlt(dc_.get(), 0, 0, width_, height_, source, 0, 0, SRCCOPY);
}

int Surface::Count(COLORREF colour, const RECT& rect) const {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) count += Pixel(x, y) == colour;
    return count;
}

RECT Surface::Bounds(COLORREF colour) const {
    RECT box{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (Pixel(x, y) == colour)
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                       std::max<LONG>(box.bottom, y + 1)};
    return box.right > box.left ? box : RECT{};
}

void PrintTo(const RECT& rect, std::ostream* out) {
    *out << "(" << rect.left << ", " << rect.top << ")-(" << rect.right << ", " << rect.bottom << ")";
}

testing::AssertionResult SameImage(const Surface& expected, const Surface& actual) {
    if (expected.Width() != actual.Width() || expected.Height() != actual.Height())
        return testing::AssertionFailure() << "sizes differ";
    int differing = 0;
    std::ostringstream first;
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x)
            if (expected.Pixel(x, y) != actual.Pixel(x, y) && differing++ == 0)
                first << "(" << x << ", " << y << ") is " << std::hex << actual.Pixel(x, y) << ", expected "
                      << expected.Pixel(x, y) << std::dec;
    if (differing == 0) return testing::AssertionSuccess();
    return testing::AssertionFailure() << differing << " pixels differ; first " << first.str();
}

#include "GdiSurface.h"

#include "Dib32.h"

#include <cstdio>

namespace {

std::string Hex(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06lX", static_cast<unsigned long>(colour));
    return text;
}

}  // namespace

GdiSurface::GdiSurface(int width, int height, COLORREF fill)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    void* bits = nullptr;
    bitmap_.reset(CreateDib32(dc_.get(), width, height, &bits));
    bits_ = static_cast<std::uint32_t*>(bits);
    previous_ = SelectObject(dc_.get(), bitmap_.get());
    Fill(fill);
}

GdiSurface::~GdiSurface() {
    SelectObject(dc_.get(), previous_);
}

COLORREF GdiSurface::Pixel(int x, int y) const {
    if (!bits_) return CLR_INVALID;
    GdiFlush();
    const std::uint32_t bgra = bits_[y * width_ + x];
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

void GdiSurface::SetPixel(int x, int y, COLORREF colour) {
    if (!bits_) return;
    GdiFlush();
    bits_[y * width_ + x] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

void GdiSurface::Fill(const RECT& rect, COLORREF colour) {
    const UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc_.get(), &rect, brush.get());
}

void GdiSurface::CopyFrom(HDC source) {
    BitBlt(dc_.get(), 0, 0, width_, height_, source, 0, 0, SRCCOPY);
}

int GdiSurface::Count(const RECT& rect, COLORREF colour) const {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) count += Pixel(x, y) == colour;
    return count;
}

testing::AssertionResult SameImage(const GdiSurface& expected, const GdiSurface& actual) {
    if (!expected.Valid() || !actual.Valid()) return testing::AssertionFailure() << "a surface could not be made";
    if (expected.Width() != actual.Width() || expected.Height() != actual.Height())
        return testing::AssertionFailure() << "sizes differ";
    int differing = 0;
    std::string first;
    for (int y = 0; y < expected.Height(); ++y) {
        for (int x = 0; x < expected.Width(); ++x) {
            if (expected.Pixel(x, y) == actual.Pixel(x, y)) continue;
            if (differing++ == 0)
                first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " + Hex(actual.Pixel(x, y)) +
                        ", expected " + Hex(expected.Pixel(x, y));
        }
    }
    if (differing == 0) return testing::AssertionSuccess();
    return testing::AssertionFailure() << differing << " pixels differ; first " << first;
}

#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

#include "UniqueHandle.h"

// Colours the tests paint with (COLORREF, 0x00BBGGRR).
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kRed = RGB(255, 0, 0);
inline constexpr COLORREF kGreen = RGB(0, 255, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);
inline constexpr COLORREF kYellow = RGB(255, 255, 0);
inline constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A real GDI surface to paint on and read back: a 32-bit top-down DIB section
// selected into a memory DC, filled with one colour to begin with.
class Surface {
public:
    Surface(int width, int height, COLORREF fill = kMagenta);
    Surface(Surface&&) noexcept = default;
    ~Surface();

    HDC hDC() const noexcept { return dc_.get(); }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }

    COLORREF Pixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF colour);
    void Fill(const RECT& rect, COLORREF colour);
    void Fill(COLORREF colour) { Fill(RECT{0, 0, width_, height_}, colour); }
    // Copies another DC's pixels to (0, 0), as far as this surface reaches.
    void CopyFrom(HDC source);

    // Pixels of the colour in the rectangle.
    int Count(COLORREF colour, const RECT& rect) const;
    // The smallest rectangle that holds every pixel of the colour; empty when none.
    RECT Bounds(COLORREF colour) const;

private:
    int width_;
    int height_;
    UniqueMemoryDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// Rectangles compare and print by their four edges.
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
void PrintTo(const RECT& rect, std::ostream* out);

// Every pixel equal; otherwise the first difference and how many differ.
testing::AssertionResult SameImage(const Surface& expected, const Surface& actual);

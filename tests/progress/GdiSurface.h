#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "UniqueHandle.h"

// A real GDI surface to paint on and read back: a 32-bit top-down DIB section
// selected into a memory DC.
class GdiSurface {
public:
    GdiSurface(int width, int height, COLORREF fill = RGB(255, 0, 255));
    ~GdiSurface();
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;

    HDC hDC() const noexcept { return dc_.get(); }
    HBITMAP Bitmap() const noexcept { return bitmap_.get(); }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }

    // False when the DIB could not be made (out of GDI handles).
    bool Valid() const noexcept { return bits_ != nullptr; }
    // CLR_INVALID on a surface that is not valid.
    COLORREF Pixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF colour);
    void Fill(const RECT& rect, COLORREF colour);
    void Fill(COLORREF colour) { Fill(RECT{0, 0, width_, height_}, colour); }
    // Copies the whole of another surface (or any DC) to (0, 0).
    void CopyFrom(HDC source);

    // Pixels in the rectangle whose colour is exactly the given one.
    int Count(const RECT& rect, COLORREF colour) const;

private:
    int width_;
    int height_;
    UniqueMemoryDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// Every pixel equal; otherwise the first difference and how many differ.
testing::AssertionResult SameImage(const GdiSurface& expected, const GdiSurface& actual);

// Colours the tests paint with (COLORREF, 0x00BBGGRR).
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kRed = RGB(255, 0, 0);
inline constexpr COLORREF kGreen = RGB(0, 255, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);
inline constexpr COLORREF kYellow = RGB(255, 255, 0);
inline constexpr COLORREF kSentinel = RGB(255, 0, 255);

#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>
#include <functional>
#include <string>

#include "ComPtr.h"
#include "UniqueHandle.h"

// A drawing surface of the test's own: a 32-bit memory bitmap to paint into
// and read pixels from.
class Surface {
public:
    Surface(int width, int height, COLORREF fill);
    Surface(Surface&& other) noexcept;
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    Surface& operator=(Surface&&) = delete;

    HDC hdc() const noexcept { return dc_.get(); }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    void Fill(COLORREF color) const;
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_.get(), x, y); }
    // The number of pixels that differ from the other surface's.
    int CountDifferences(const Surface& other) const;

private:
    int width_;
    int height_;
    UniqueMemoryDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ original_ = nullptr;
};

using PixelColors = std::function<COLORREF(int x, int y)>;

// An OLE picture that owns a bitmap of the given pixels.
ComPtr<IPicture> MakeBitmapPicture(int width, int height, const PixelColors& colors);
// An OLE picture that owns an icon; pixels of the colour `open` are left
// open (transparent) by the icon's mask.
ComPtr<IPicture> MakeIconPicture(int width, int height, const PixelColors& colors, COLORREF open);
// An enhanced-metafile picture that draws a filled rectangle.
ComPtr<IPicture> MakeMetafilePicture();
// A picture object that holds nothing: its handle is 0.
ComPtr<IPicture> MakeEmptyPicture();
ComPtr<IFont> MakeFont(const wchar_t* name, int pointsTimes10000, short weight);

std::string Hex(COLORREF color);

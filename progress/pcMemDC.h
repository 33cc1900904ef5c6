#pragma once

#include <windows.h>

#include <ocidl.h>

#include <cstdint>

#include "UniqueHandle.h"

// One off-screen drawing surface: a memory DC holding a bitmap compatible
// with the display. The progress bar keeps one as its buffer (asked for a
// surface at least as large as the area it paints) and one per picture it
// copies. Callers only borrow the DC.
class pcMemDC {
public:
    pcMemDC() noexcept = default;
    ~pcMemDC();
    pcMemDC(const pcMemDC&) = delete;
    pcMemDC& operator=(const pcMemDC&) = delete;

    std::int32_t Width() const noexcept { return width_; }
    std::int32_t Height() const noexcept { return height_; }
    // On an empty object a new size is stored and the surface made once both
    // sizes are above 0; on an object that holds a surface it is re-created
    // at the new size, so Width and Height always describe the bitmap.
    void SetWidth(std::int32_t value);
    void SetHeight(std::int32_t value);

    // The DC of a surface at least width by height, growing it when a request
    // exceeds it in either dimension (the new surface has exactly the
    // requested size); 0 when there is none.
    HDC hDC(std::int32_t width, std::int32_t height);

    // Copies width by height pixels from (sourceX, sourceY) of the surface to
    // (destX, destY) of the target; a width or height of 0 or less means the
    // surface's own.
    void Draw(HDC targetDC, std::int32_t sourceX, std::int32_t sourceY, std::int32_t width, std::int32_t height,
              std::int32_t destX, std::int32_t destY) const;

    // Sizes the surface to the picture's bitmap and copies the bitmap into
    // it. A picture whose handle is no bitmap gives no surface. A failure of
    // the picture object is raised as an Error.
    void CreateFromPicture(IPicture* picture);

private:
    void pvCreate(std::int32_t width, std::int32_t height);
    void pvDestroy() noexcept;

    UniqueMemoryDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

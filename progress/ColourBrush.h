#pragma once

#include <windows.h>

#include <cstdint>

#include "UniqueHandle.h"

// The brush that fills with a colour value: a value with the top bit set
// gives the system colour brush of index (value AND 0x1F), which is 0 for an
// index the system has no brush for (so -1 fills nothing); any other value a
// new solid brush, deleted with this object.
class ColourBrush {
public:
    explicit ColourBrush(std::int32_t colour);
    ColourBrush(const ColourBrush&) = delete;
    ColourBrush& operator=(const ColourBrush&) = delete;

    HBRUSH get() const noexcept { return brush_; }

    // FillRect with the brush; nothing when there is none.
    void Fill(HDC hdc, const RECT& rect) const;

private:
    UniqueBrush owned_;
    HBRUSH brush_ = nullptr;
};

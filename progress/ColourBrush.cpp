#include "ColourBrush.h"

ColourBrush::ColourBrush(std::int32_t colour) {
    if (colour < 0) {
        brush_ = GetSysColorBrush(colour & 0x1F);
    } else {
        owned_.reset(CreateSolidBrush(static_cast<COLORREF>(colour)));
        brush_ = owned_.get();
    }
}

void ColourBrush::Fill(HDC hdc, const RECT& rect) const {
    if (brush_) FillRect(hdc, &rect, brush_);
}

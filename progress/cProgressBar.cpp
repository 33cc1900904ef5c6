#include "cProgressBar.h"

#include <olectl.h>

#include <algorithm>
#include <utility>

#include "CheckedArithmetic.h"
#include "OleObjects.h"
#include "ProgressErrorSource.h"
#include "RuntimeError.h"

cProgressBar::cProgressBar() {
    SetFont(CreateOleFont(L"Tahoma", 8, FW_NORMAL).get());
}

void cProgressBar::SetTag(std::wstring value) {
    tag_ = std::move(value);
}

void cProgressBar::SetSegments(bool value) {
    segments_ = value;
    Draw();
}

void cProgressBar::SetXpStyle(bool value) {
    xpStyle_ = value;
    Draw();
}

void cProgressBar::SetText(std::wstring value) {
    text_ = std::move(value);
    Draw();
}

void cProgressBar::SetTextAlignX(std::int32_t value) {
    textAlignX_ = value;
    Draw();
}

void cProgressBar::SetTextAlignY(std::int32_t value) {
    textAlignY_ = value;
    Draw();
}

void cProgressBar::SetShowText(bool value) {
    showText_ = value;
    Draw();
}

double cProgressBar::Percent() const {
    return pvFraction() * 100.0;
}

void cProgressBar::SetMin(std::int32_t value) {
    min_ = value;
    Draw();
}

void cProgressBar::SetMax(std::int32_t value) {
    max_ = value;
    Draw();
}

void cProgressBar::SetValue(std::int32_t value) {
    value_ = value;
    Draw();
}

void cProgressBar::SetBorderStyle(std::int32_t value) {
    borderStyle_ = value;
    Draw();
}

void cProgressBar::SetAppearance(std::int32_t value) {
    appearance_ = value;
    Draw();
}

void cProgressBar::SetDrawObject(ProgressBarHost* value) {
    drawObject_ = value;
    Draw();
}

void cProgressBar::SetBackColor(std::int32_t value) {
    backColor_ = value;
    Draw();
}

void cProgressBar::SetForeColor(std::int32_t value) {
    foreColor_ = value;
    Draw();
}

void cProgressBar::SetFont(IFont* value) {
    font_ = ComPtr<IFont>(value);
    Draw();
}

void cProgressBar::SetBarColor(std::int32_t value) {
    barColor_ = value;
    Draw();
}

void cProgressBar::SetBarForeColor(std::int32_t value) {
    barForeColor_ = value;
    Draw();
}

void cProgressBar::SetBarPicture(IPicture* value) {
    pvSetPicture(value, barPicture_);
}

void cProgressBar::SetBarPictureMode(std::int32_t value) {
    barPictureMode_ = value;
    Draw();
}

void cProgressBar::SetBackPictureMode(std::int32_t value) {
    backPictureMode_ = value;
    Draw();
}

void cProgressBar::SetPicture(IPicture* value) {
    pvSetPicture(value, backPicture_);
}

// A failing copy reaches the caller and leaves the slot with the copy as far
// as it got; only a complete intake repaints.
void cProgressBar::pvSetPicture(IPicture* picture, std::unique_ptr<pcMemDC>& slot) {
    if (!picture) {
        slot.reset();
    } else {
        slot = std::make_unique<pcMemDC>();
        slot->CreateFromPicture(picture);
    }
    Draw();
}

// Where Value lies between Min and Max, clamped to 0..1; shared by Percent
// and the paint pass.
double cProgressBar::pvFraction() const {
    const std::int32_t offset = CheckedInt32(std::int64_t{value_} - min_, kProgressErrorSource);
    const std::int32_t range = CheckedInt32(std::int64_t{max_} - min_, kProgressErrorSource);
    if (range == 0) throw RuntimeError(kErrDivisionByZero, kProgressErrorSource);
    return std::clamp(static_cast<double>(offset) / range, 0.0, 1.0);
}

UINT cProgressBar::pvTextFlags() const {
    const std::int32_t vertical = CheckedInt32(std::int64_t{textAlignY_} * 4, kProgressErrorSource);
    return static_cast<UINT>(textAlignX_ | vertical | DT_SINGLELINE);
}

COLORREF cProgressBar::pvTranslateColor(std::int32_t colour, HPALETTE palette) {
    COLORREF translated = 0;
    if (OleTranslateColor(static_cast<OLE_COLOR>(colour), palette, &translated) != S_OK) return CLR_INVALID;
    return translated;
}

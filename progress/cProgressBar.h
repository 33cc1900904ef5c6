#pragma once

#include <windows.h>

#include <ocidl.h>

#include <cstdint>
#include <memory>
#include <string>

#include "ComPtr.h"
#include "ProgressBarHost.h"
#include "pcMemDC.h"

// A windowless progress bar: a range, a position and a look, painted into a
// host (DrawObject) through an off-screen buffer. Every setter but SetTag
// paints the host at once; nothing is validated or clamped. Colour values
// with the top bit set name a system colour (index in the low bits), others
// are COLORREFs.
class cProgressBar {
public:
    static constexpr std::int32_t kAlignLeft = 0, kAlignCentre = 1, kAlignRight = 2;  // TextAlignX
    static constexpr std::int32_t kAlignTop = 0, kAlignMiddle = 1, kAlignBottom = 2;  // TextAlignY
    static constexpr std::int32_t kBorderNone = 0, kBorderSunken = 1, kBorderRaised = 2;
    static constexpr std::int32_t kAppearanceFlat = 0, kAppearanceThin3D = 1, kAppearanceEdge3D = 2;
    static constexpr std::int32_t kPictureTile = 1, kPictureStretch = 2;

    cProgressBar();
    cProgressBar(const cProgressBar&) = delete;
    cProgressBar& operator=(const cProgressBar&) = delete;

    const std::wstring& Tag() const noexcept { return tag_; }
    void SetTag(std::wstring value);
    bool Segments() const noexcept { return segments_; }
    void SetSegments(bool value);
    bool XpStyle() const noexcept { return xpStyle_; }
    void SetXpStyle(bool value);
    const std::wstring& Text() const noexcept { return text_; }
    void SetText(std::wstring value);
    std::int32_t TextAlignX() const noexcept { return textAlignX_; }
    void SetTextAlignX(std::int32_t value);
    std::int32_t TextAlignY() const noexcept { return textAlignY_; }
    void SetTextAlignY(std::int32_t value);
    bool ShowText() const noexcept { return showText_; }
    void SetShowText(bool value);
    // 0 to 100, from where Value lies between Min and Max (unrounded). Raises
    // the overflow error or, when Min equals Max, the division error.
    double Percent() const;
    std::int32_t Min() const noexcept { return min_; }
    void SetMin(std::int32_t value);
    std::int32_t Max() const noexcept { return max_; }
    void SetMax(std::int32_t value);
    std::int32_t Value() const noexcept { return value_; }
    void SetValue(std::int32_t value);
    std::int32_t BorderStyle() const noexcept { return borderStyle_; }
    void SetBorderStyle(std::int32_t value);
    std::int32_t Appearance() const noexcept { return appearance_; }
    void SetAppearance(std::int32_t value);
    // The host is held by reference and must outlive the bar or be replaced.
    ProgressBarHost* DrawObject() const noexcept { return drawObject_; }
    void SetDrawObject(ProgressBarHost* value);

    // Paints into the host; swallows every failure.
    void Draw() noexcept;
    // Paints the area (left, top, right, bottom) of hDC; hWnd serves only to
    // open the theme. Raises the pass's errors (Error); a buffered pass that
    // fails leaves the target untouched. hDC ends every pass in the state
    // it came in.
    void DrawToDC(HWND hWnd, HDC hDC, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);

    std::int32_t BackColor() const noexcept { return backColor_; }
    void SetBackColor(std::int32_t value);
    std::int32_t ForeColor() const noexcept { return foreColor_; }
    void SetForeColor(std::int32_t value);
    // The caller's font object itself: later changes to it show at the next paint.
    IFont* Font() const noexcept { return font_.get(); }
    void SetFont(IFont* value);
    std::int32_t BarColor() const noexcept { return barColor_; }
    void SetBarColor(std::int32_t value);
    std::int32_t BarForeColor() const noexcept { return barForeColor_; }
    void SetBarForeColor(std::int32_t value);
    // Pictures are copied on intake (nullptr removes the picture); later
    // changes to the picture object do not reach the bar.
    void SetBarPicture(IPicture* value);
    std::int32_t BarPictureMode() const noexcept { return barPictureMode_; }
    void SetBarPictureMode(std::int32_t value);
    std::int32_t BackPictureMode() const noexcept { return backPictureMode_; }
    void SetBackPictureMode(std::int32_t value);
    void SetPicture(IPicture* value);

private:
    struct Pass;

    void pvSetPicture(IPicture* picture, std::unique_ptr<pcMemDC>& slot);
    double pvFraction() const;
    UINT pvTextFlags() const;

    void pvDrawBackground(Pass& pass);
    void pvOpenTheme(Pass& pass);
    RECT pvBarRect(const Pass& pass) const;
    void pvDrawBar(const Pass& pass, const RECT& bar);
    void pvDrawGaps(const Pass& pass, const RECT& bar) const;
    void pvDrawClassicCaption(HDC hdc, RECT rect, UINT flags, std::int32_t colour) const;
    void pvDrawThemedCaption(const Pass& pass, UINT flags) const;

    static COLORREF pvTranslateColor(std::int32_t colour, HPALETTE palette);
    static void pvDrawPicture(HDC hdc, pcMemDC& picture, std::int32_t mode, std::int32_t width, std::int32_t height);
    static void pvDrawBorder(HDC hdc, std::int32_t appearance, const RECT& rect, bool raised);
    static void pvTileBitmap(HDC hdc, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                             HDC sourceDC, std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t offsetX,
                             std::int32_t offsetY);

    std::wstring tag_;
    bool segments_ = false;
    bool xpStyle_ = false;
    std::wstring text_;
    std::int32_t textAlignX_ = kAlignCentre;
    std::int32_t textAlignY_ = kAlignMiddle;
    bool showText_ = false;
    std::int32_t min_ = 0;
    std::int32_t max_ = 100;
    std::int32_t value_ = 0;
    std::int32_t borderStyle_ = kBorderSunken;
    std::int32_t appearance_ = kAppearanceThin3D;
    ProgressBarHost* drawObject_ = nullptr;
    std::int32_t backColor_ = -1;
    std::int32_t foreColor_ = 0;
    ComPtr<IFont> font_;
    std::int32_t barColor_ = -1;
    std::int32_t barForeColor_ = 0xFFFFFF;
    std::int32_t barPictureMode_ = kPictureTile;
    std::int32_t backPictureMode_ = kPictureTile;

    pcMemDC buffer_;
    std::unique_ptr<pcMemDC> backPicture_;
    std::unique_ptr<pcMemDC> barPicture_;
};

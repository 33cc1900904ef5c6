#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "GdiSurface.h"
#include "cProgressBar.h"

// A bar in the classic look with colours of its own (yellow back, blue bar,
// red caption, green caption over the bar) at 50 of 0..100, and the picture
// such a bar should give, drawn rectangle by rectangle.
class ClassicPaint : public testing::Test {
protected:
    enum class Frame { kNone, kFlat, kThinSunken, kThinRaised, kEdgeSunken, kEdgeRaised };

    ClassicPaint();

    void Paint(GdiSurface& target) { bar.DrawToDC(nullptr, target.hDC(), 0, 0, target.Width(), target.Height()); }

    // Background, the bar rectangle and the frame on the whole surface.
    void DrawExpected(GdiSurface& expected, const RECT& barRect, Frame frame, COLORREF back = kYellow) const;

    cProgressBar bar;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
};

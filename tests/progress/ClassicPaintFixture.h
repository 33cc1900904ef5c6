#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "ExpectedBar.h"
#include "GdiSurface.h"
#include "cProgressBar.h"

// A bar in the classic look with colours of its own (yellow back, blue bar,
// red caption, green caption over the bar) at 50 of 0..100.
class ClassicPaint : public testing::Test {
protected:
    ClassicPaint();

    void Paint(GdiSurface& target) { bar.DrawToDC(nullptr, target.hDC(), 0, 0, target.Width(), target.Height()); }

    void DrawExpected(GdiSurface& expected, const RECT& barRect, Frame frame, COLORREF back = kYellow) const {
        DrawExpectedBar(expected, barRect, frame, back, kBlue);
    }

    cProgressBar bar;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
};

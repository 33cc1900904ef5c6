#include "ClassicPaintFixture.h"

ClassicPaint::ClassicPaint() {
    bar.SetBackColor(kYellow);
    bar.SetBarColor(kBlue);
    bar.SetForeColor(kRed);
    bar.SetBarForeColor(kGreen);
    bar.SetValue(50);
}

void ClassicPaint::DrawExpected(GdiSurface& expected, const RECT& barRect, Frame frame, COLORREF back) const {
    const int w = expected.Width();
    const int h = expected.Height();
    expected.Fill(back);
    expected.Fill(barRect, kBlue);
    RECT outer{0, 0, w, h};
    switch (frame) {
        case Frame::kNone:
            break;
        case Frame::kFlat:
            for (const RECT& line : {RECT{0, 0, w, 1}, RECT{0, h - 1, w, h}, RECT{0, 0, 1, h}, RECT{w - 1, 0, w, h}})
                expected.Fill(line, kBlack);
            break;
        case Frame::kThinSunken:
            expected.Fill({0, 0, 1, h}, shadow);
            expected.Fill({0, 0, w, 1}, shadow);
            expected.Fill({w - 1, 1, w, h}, highlight);
            expected.Fill({1, h - 1, w, h}, highlight);
            break;
        case Frame::kThinRaised:
            expected.Fill({0, 1, 1, h - 1}, highlight);
            expected.Fill({0, 0, w - 1, 1}, highlight);
            expected.Fill({w - 1, 0, w, h - 1}, shadow);
            expected.Fill({0, h - 1, w, h}, shadow);
            break;
        case Frame::kEdgeSunken:
        case Frame::kEdgeRaised:
            DrawEdge(expected.hDC(), &outer, frame == Frame::kEdgeSunken ? EDGE_SUNKEN : EDGE_RAISED,
                     BF_RECT | BF_SOFT);
            break;
    }
}

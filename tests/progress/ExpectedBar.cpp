#include "ExpectedBar.h"

void DrawExpectedBar(Surface& expected, const RECT& bar, Frame frame, COLORREF back, COLORREF barColour) {
    const int w = expected.Width();
    const int h = expected.Height();
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    expected.Fill(back);
    expected.Fill(bar, barColour);
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

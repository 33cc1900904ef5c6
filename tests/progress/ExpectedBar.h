#pragma once

#include <windows.h>

#include "GdiSurface.h"

enum class Frame { kNone, kFlat, kThinSunken, kThinRaised, kEdgeSunken, kEdgeRaised };

// The picture a classic bar should give, drawn rectangle by rectangle: the
// background, the bar rectangle, then the frame on the whole surface (thin
// frames line by line in the system's shadow and highlight colours, the 3D
// edge by the platform's DrawEdge).
void DrawExpectedBar(GdiSurface& expected, const RECT& bar, Frame frame, COLORREF back, COLORREF barColour);

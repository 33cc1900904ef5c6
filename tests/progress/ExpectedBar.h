#pragma once

#include <windows.h>

#include "Surface.h"

enum class Frame { kNone, kFlat, kThinSunken, kThinRaised, kEdgeSunken, kEdgeRaised };

// The picture a classic bar should give, rectangle by rectangle: background, bar, then the frame
// (thin ones line by line in the shadow and highlight colours, the 3D edge by DrawEdge).
void DrawExpectedBar(Surface& expected, const RECT& bar, Frame frame, COLORREF back, COLORREF barColour);

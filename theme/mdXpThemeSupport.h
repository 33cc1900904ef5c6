#pragma once

#include <vector>

#include "ThemeControl.h"

// Visual-style support: repairs the drawing of frames and graphical buttons
// while version 6 or later of the common controls is loaded; inert otherwise.

// Once per process, before the first window: loads shell32 and initialises
// the common controls when version 6 or later of them is loaded.
void InitThemeSupport();

// Subclasses the frames and the graphical buttons among the given controls,
// in their order. Answers false (and touches nothing) when the common
// controls are older than version 6. The controls must outlive their windows.
bool FixThemeSupport(const std::vector<ThemeControl*>& controls);

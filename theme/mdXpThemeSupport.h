#pragma once

#include <vector>

// The module's view of one control of a window.
class ThemeControl;

// Once per process, before the first window: prepares the common controls
// when version 6 or later of them is loaded.
void InitThemeSupport();

// Repairs the drawing of the given controls under visual styles. Answers
// false (and touches nothing) when the common controls are older than 6.
bool FixThemeSupport(const std::vector<ThemeControl*>& controls);

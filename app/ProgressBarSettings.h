#pragma once

#include <ocidl.h>

class ProgressBarHost;
class cProgressBar;

// What the window's load handler gives its progress bar PB1, in this order:
// the host, the range 0 to 100, the Tag "5", the caption shown in the given
// font, a blue bar and caption on white, the sunken frame.
void ConfigureProgressBar(cProgressBar& bar, ProgressBarHost& host, IFont* font);

#include "ClassicPaintFixture.h"

ClassicPaint::ClassicPaint() {
    bar.SetBackColor(kYellow);
    bar.SetBarColor(kBlue);
    bar.SetForeColor(kRed);
    bar.SetBarForeColor(kGreen);
    bar.SetValue(50);
}

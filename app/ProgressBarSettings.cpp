#include "ProgressBarSettings.h"

#include "cProgressBar.h"

namespace {

constexpr std::int32_t kBlue = 0xFF0000;  // colour values are 0x00BBGGRR
constexpr std::int32_t kWhite = 0xFFFFFF;

}  // namespace

void ConfigureProgressBar(cProgressBar& bar, ProgressBarHost& host, IFont* font) {
    bar.SetDrawObject(&host);
    bar.SetMin(0);
    bar.SetMax(100);
    bar.SetTag(L"5");
    bar.SetShowText(true);
    bar.SetFont(font);
    bar.SetBarColor(kBlue);
    bar.SetForeColor(kBlue);
    bar.SetBackColor(kWhite);
    bar.SetBorderStyle(cProgressBar::kBorderSunken);
}

#include "mdXpThemeSupport.h"

namespace {
bool initialised = false;
}

void InitThemeSupport() {
    if (initialised) return;
    initialised = true;
}

bool FixThemeSupport(const std::vector<ThemeControl*>&) {
    return false;
}

#include "Accelerators.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// The windows with shortcuts; the program's windows live on one thread.
std::vector<std::pair<HWND, HACCEL>>& Installed() {
    static std::vector<std::pair<HWND, HACCEL>> installed;
    return installed;
}

}  // namespace

Accelerators::~Accelerators() {
    std::erase_if(Installed(), [&](const auto& entry) { return entry.first == window_; });
}

void Accelerators::Install(HWND window, std::span<const ACCEL> keys) {
    std::vector<ACCEL> copy(keys.begin(), keys.end());
    table_.reset(CreateAcceleratorTableW(copy.data(), static_cast<int>(copy.size())));
    std::erase_if(Installed(), [&](const auto& entry) { return entry.first == window_ || entry.first == window; });
    window_ = window;
    if (table_) Installed().emplace_back(window_, table_.get());
}

bool TranslateShortcut(HWND root, MSG& msg) {
    const auto& installed = Installed();
    const auto found =
        std::find_if(installed.begin(), installed.end(), [&](const auto& entry) { return entry.first == root; });
    return found != installed.end() && TranslateAcceleratorW(root, found->second, &msg) != 0;
}

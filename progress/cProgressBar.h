#pragma once

#include <cstdint>

// The window's progress bar. For now it keeps the range and the position
// that the scan sets; drawing into its host comes with the painting code.
class cProgressBar {
public:
    std::int32_t Max() const noexcept { return max_; }
    void SetMax(std::int32_t value) noexcept { max_ = value; }

    std::int32_t Value() const noexcept { return value_; }
    void SetValue(std::int32_t value) noexcept { value_ = value; }

private:
    std::int32_t max_ = 100;
    std::int32_t value_ = 0;
};

#pragma once

#include <cstdint>
#include <string>

#include "WfpValue.h"

namespace inventory {

// How docs/WFP-FILTERS.md writes a condition value. addressField: the condition
// is on an IP address (a UINT32 shows as a.b.c.d, 16 bytes as IPv6 text);
// matchType: 6-8 (flag tests) show numbers in hex.
std::string WfpValueText(const WfpValue& value, bool addressField, std::uint32_t matchType);

}  // namespace inventory

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "WfpValue.h"

namespace inventory {

// S-R-A-s1-s2...: the authority in decimal below 2^32, else 0x and 12 hex digits.
std::string SidText(const Sid& sid);

// The SDDL text of a self-relative security descriptor: O:, G:, D: and S:
// with their flags, each ACE as (type;flags;0xRIGHTS;object;inherited;SID);
// SIDs as S-... strings. Nothing when the bytes do not hold one.
std::optional<std::string> SecurityDescriptorText(const std::vector<std::uint8_t>& bytes);

}  // namespace inventory

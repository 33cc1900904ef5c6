#pragma once

#include <cstdint>
#include <string>

#include "NdrCursor.h"
#include "WfpValue.h"

namespace inventory {

// FWP_VALUE0 and FWP_CONDITION_VALUE0 on the wire: the flat part (the type,
// the type again as the union's discriminant, then the arm: none for the
// empty type, one byte for 8-bit values, two for 16-bit ones, else four) sits
// in the owning structure; a pointed-to value's pointee comes later, where
// the owner's pointees are.
struct WfpValueFlat {
    std::uint32_t type = kWfpEmpty;
    std::uint32_t arm = 0;  // a small value, or the pointee's referent id
};

// conditionValue admits the types only conditions have: masks and ranges.
WfpValueFlat ReadWfpValueFlat(NdrCursor& cursor, bool conditionValue, const std::string& what);
// The whole value; reads the pointee when the flat part points to one.
WfpValue ReadWfpValuePointee(NdrCursor& cursor, const WfpValueFlat& flat, const std::string& what);

}  // namespace inventory

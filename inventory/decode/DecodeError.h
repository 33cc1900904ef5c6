#pragma once

#include "RegistryKey.h"

namespace inventory {

// A blob that does not hold what its decoder expects; what() is one line
// naming the object, the field and the offset. A stored value that cannot be
// decoded is one that cannot be read, so the read loops take it as one.
class DecodeError : public ReadError {
public:
    using ReadError::ReadError;
};

}  // namespace inventory

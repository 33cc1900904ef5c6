#pragma once

#include <stdexcept>

namespace inventory {

// A blob that does not hold what its decoder expects; what() is one line
// naming the object, the field and the offset.
class DecodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace inventory

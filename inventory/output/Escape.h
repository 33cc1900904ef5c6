#pragma once

#include <string>
#include <string_view>

namespace inventory {

// A field of the line format: a character below 0x20, and 0x7F, as \xNN.
std::string EscapeField(std::string_view text);

}  // namespace inventory

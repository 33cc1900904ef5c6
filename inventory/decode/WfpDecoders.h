#pragma once

#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

#include "WfpObjects.h"

namespace inventory {

// Decoders of the REG_BINARY values under
// Services\BFE\Parameters\Policy\Persistent\{Provider,SubLayer,Callout,Filter}.
// Each checks the envelopes and the object type and decodes the object to
// the exact end of its blob; anything else throws DecodeError.
WfpProvider DecodeWfpProvider(const std::uint8_t* data, std::size_t size);
WfpSublayer DecodeWfpSublayer(const std::uint8_t* data, std::size_t size);
WfpCallout DecodeWfpCallout(const std::uint8_t* data, std::size_t size);
WfpFilter DecodeWfpFilter(const std::uint8_t* data, std::size_t size);

// Any of the four, by the object type the value names.
using WfpObject = std::variant<WfpProvider, WfpSublayer, WfpCallout, WfpFilter>;
WfpObject DecodeWfpObject(const std::uint8_t* data, std::size_t size);

// The same over a value's bytes.
inline WfpProvider DecodeWfpProvider(const std::vector<std::uint8_t>& v) {
    return DecodeWfpProvider(v.data(), v.size());
}
inline WfpSublayer DecodeWfpSublayer(const std::vector<std::uint8_t>& v) {
    return DecodeWfpSublayer(v.data(), v.size());
}
inline WfpCallout DecodeWfpCallout(const std::vector<std::uint8_t>& v) {
    return DecodeWfpCallout(v.data(), v.size());
}
inline WfpFilter DecodeWfpFilter(const std::vector<std::uint8_t>& v) {
    return DecodeWfpFilter(v.data(), v.size());
}
inline WfpObject DecodeWfpObject(const std::vector<std::uint8_t>& v) {
    return DecodeWfpObject(v.data(), v.size());
}

}  // namespace inventory

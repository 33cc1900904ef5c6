#pragma once

#include <cstddef>
#include <cstdint>
#include <variant>

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

}  // namespace inventory

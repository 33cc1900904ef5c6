#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace inventory {

// The object types of the outer pickle (value offset 20).
enum class WfpObjectType : std::uint32_t { kProvider = 0, kSublayer = 2, kCallout = 4, kFilter = 5 };

// The two MS-RPC type-serialisation envelopes around a persistent WFP
// object: the outer one carries the object type, the inner pickle and the
// object's security descriptor; the inner one the NDR body.
struct WfpPickle {
    std::uint32_t objectType = 0;
    std::size_t bodyBegin = 0;  // B, value offset 60
    std::size_t bodyEnd = 0;
    std::vector<std::uint8_t> securityDescriptor;
};

// Checks both headers and that the outer pickle ends with the value; throws
// DecodeError with messages that start with subject.
WfpPickle OpenWfpPickle(const std::uint8_t* data, std::size_t size, const std::string& subject);

}  // namespace inventory

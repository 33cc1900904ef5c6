#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "WfpObjects.h"

namespace inventory::test {

// Writes the persistent WFP objects as docs/WFP-FILTERS.md lays them out,
// independently of the decoders: the value types the tests use (numbers of up
// to 64 bits, byte blobs, ranges of those), and a filter's raw context.

// The outer and inner pickle around an NDR body that starts at B.
std::vector<std::uint8_t> WrapWfpPickle(std::uint32_t objectType, std::vector<std::uint8_t> body,
                                        const std::vector<std::uint8_t>& securityDescriptor);

// Whole values as the registry holds them; each record's securityDescriptor
// goes into the outer pickle.
std::vector<std::uint8_t> EncodeWfpProvider(const WfpProvider& provider);
std::vector<std::uint8_t> EncodeWfpSublayer(const WfpSublayer& sublayer);
std::vector<std::uint8_t> EncodeWfpCallout(const WfpCallout& callout);
std::vector<std::uint8_t> EncodeWfpFilter(const WfpFilter& filter);

// The GUID that FormatGuid writes as text; a GUID whose bytes are all fill.
Guid ParseGuid(std::string_view text);
Guid MakeGuid(std::uint8_t fill);

// Values of each type, as the decoder gives them.
struct WfpValues {
    static WfpValue Unsigned(std::uint32_t type, std::uint64_t number) {
        return With(type, &WfpValue::unsignedNumber, number);
    }
    static WfpValue Data(std::uint32_t type, std::vector<std::uint8_t> bytes) {
        return With(type, &WfpValue::bytes, std::move(bytes));
    }
    static WfpValue Range(WfpValue low, WfpValue high) { return With(kWfpRange, &WfpValue::range, {low, high}); }
    template <typename Member>
    static WfpValue With(std::uint32_t type, Member WfpValue::*member, Member content) {
        WfpValue value;
        value.type = type;
        value.*member = std::move(content);
        return value;
    }
};

}  // namespace inventory::test

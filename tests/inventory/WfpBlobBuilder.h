#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "WfpObjects.h"

namespace inventory::test {

// Writes the persistent WFP objects as docs/WFP-FILTERS.md lays them out,
// independently of the decoders.

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
// UTF-16LE bytes, no NUL added.
std::vector<std::uint8_t> Utf16Bytes(std::string_view utf8);

// Values of each type, as the decoder gives them.
struct WfpValues {
    using Bytes = std::vector<std::uint8_t>;

    static WfpValue Value(std::uint32_t type) { return Unsigned(type, 0); }
    static WfpValue Unsigned(std::uint32_t type, std::uint64_t number) {
        WfpValue value;
        value.type = type;
        value.unsignedNumber = number;
        return value;
    }
    static WfpValue Signed(std::uint32_t type, std::int64_t number) {
        return With(type, &WfpValue::signedNumber, number);
    }
    static WfpValue Real(std::uint32_t type, double real) { return With(type, &WfpValue::real, real); }
    static WfpValue Data(std::uint32_t type, Bytes bytes, std::uint32_t mask = 0) {
        WfpValue value = With(type, &WfpValue::bytes, std::move(bytes));
        value.mask = mask;
        return value;
    }
    static WfpValue Null(std::uint32_t type) { return With(type, &WfpValue::null, true); }
    static WfpValue Range(WfpValue low, WfpValue high) { return With(kWfpRange, &WfpValue::range, {low, high}); }
    static WfpValue Text(std::string text) { return With(kWfpUnicodeString, &WfpValue::text, std::move(text)); }
    static WfpValue SidValue(Sid sid) { return With(kWfpSid, &WfpValue::sid, std::move(sid)); }
    static Sid MakeSid(std::uint64_t authority, std::vector<std::uint32_t> parts) {
        Sid sid;
        for (int i = 5; i >= 0; --i, authority >>= 8) sid.authority[i] = static_cast<std::uint8_t>(authority);
        sid.subAuthorities = std::move(parts);
        return sid;
    }
    static WfpValue Token() {
        TokenInformation token{{{MakeSid(5, {18}), 0}, {std::nullopt, 0}}, {{MakeSid(5, {12}), 7}}};
        return With(kWfpTokenInformation, &WfpValue::token, std::move(token));
    }
    template <typename Member>
    static WfpValue With(std::uint32_t type, Member WfpValue::*member, Member content) {
        WfpValue value = Unsigned(type, 0);
        value.*member = std::move(content);
        return value;
    }
};

}  // namespace inventory::test

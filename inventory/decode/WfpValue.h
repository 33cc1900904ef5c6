#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace inventory {

// FWP_DATA_TYPE: the type of a WFP weight or condition value.
enum WfpDataType : std::uint32_t {
    kWfpEmpty = 0,
    kWfpUint8 = 1,
    kWfpUint16 = 2,
    kWfpUint32 = 3,
    kWfpUint64 = 4,
    kWfpInt8 = 5,
    kWfpInt16 = 6,
    kWfpInt32 = 7,
    kWfpInt64 = 8,
    kWfpFloat = 9,
    kWfpDouble = 10,
    kWfpByteArray16 = 11,
    kWfpByteBlob = 12,
    kWfpSid = 13,
    kWfpSecurityDescriptor = 14,
    kWfpTokenInformation = 15,
    kWfpTokenAccessInformation = 16,
    kWfpUnicodeString = 17,
    kWfpByteArray6 = 18,
    kWfpBitmapIndex = 19,
    kWfpBitmapArray64 = 20,
    kWfpV4AddrMask = 0x100,
    kWfpV6AddrMask = 0x101,
    kWfpRange = 0x102,
};

// A SID as NDR carries it (RPC_SID).
struct Sid {
    std::uint8_t revision = 1;
    std::array<std::uint8_t, 6> authority{};  // big-endian
    std::vector<std::uint32_t> subAuthorities;
};

struct SidAndAttributes {
    std::optional<Sid> sid;  // absent when its pointer is null
    std::uint32_t attributes = 0;
};

// FWP_TOKEN_INFORMATION.
struct TokenInformation {
    std::vector<SidAndAttributes> sids;
    std::vector<SidAndAttributes> restrictedSids;
};

// An FWP_VALUE0 or FWP_CONDITION_VALUE0; which member holds the value
// depends on type.
struct WfpValue {
    std::uint32_t type = kWfpEmpty;
    bool null = false;                 // a pointed-to value whose pointer is 0
    std::uint64_t unsignedNumber = 0;  // UINT8-UINT64, BITMAP_INDEX, the V4 address
    std::int64_t signedNumber = 0;     // INT8-INT64
    double real = 0;                   // FLOAT, DOUBLE
    // BYTE_ARRAY16/6, BITMAP_ARRAY64, the byte blob, the security descriptor,
    // the token access information, the V6 address.
    std::vector<std::uint8_t> bytes;
    std::uint32_t mask = 0;  // the V4 mask, the V6 prefix length
    std::string text;        // UNICODE_STRING
    Sid sid;
    TokenInformation token;
    std::vector<WfpValue> range;  // low, high
};

}  // namespace inventory

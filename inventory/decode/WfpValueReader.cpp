#include "WfpValueReader.h"

#include <cstring>

namespace inventory {
namespace {

constexpr std::size_t kSidAndAttributesSize = 8;
constexpr std::size_t kSubAuthoritySize = 4;

bool IsKnownType(std::uint32_t type, bool conditionValue) {
    return type <= kWfpBitmapArray64 || (conditionValue && type >= kWfpV4AddrMask && type <= kWfpRange);
}

bool IsInline(std::uint32_t type) {
    switch (type) {
        case kWfpEmpty:
        case kWfpUint8:
        case kWfpUint16:
        case kWfpUint32:
        case kWfpInt8:
        case kWfpInt16:
        case kWfpInt32:
        case kWfpFloat:
        case kWfpBitmapIndex:
            return true;
        default:
            return false;
    }
}

// The arm as NDR writes it: 8-bit values in one byte, 16-bit ones in two,
// the rest (32-bit values, float, pointers) in four; what follows pads it to
// its own alignment, which the arrays of bytes do not have.
std::uint32_t ReadArm(NdrCursor& cursor, std::uint32_t type, const std::string& what) {
    switch (type) {
        case kWfpEmpty:
            return 0;
        case kWfpUint8:
        case kWfpInt8:
        case kWfpBitmapIndex:
            return cursor.U8(what);
        case kWfpUint16:
        case kWfpInt16:
            return cursor.U16(what);
        default:
            return cursor.U32(what);
    }
}

WfpValue InlineValue(const WfpValueFlat& flat) {
    WfpValue value;
    value.type = flat.type;
    switch (flat.type) {
        case kWfpUint8:
        case kWfpBitmapIndex:
            value.unsignedNumber = flat.arm & 0xFF;
            break;
        case kWfpUint16:
            value.unsignedNumber = flat.arm & 0xFFFF;
            break;
        case kWfpUint32:
            value.unsignedNumber = flat.arm;
            break;
        case kWfpInt8:
            value.signedNumber = (flat.arm & 0x80) ? static_cast<std::int64_t>(flat.arm & 0xFF) - 0x100
                                                   : static_cast<std::int64_t>(flat.arm & 0xFF);
            break;
        case kWfpInt16:
            value.signedNumber = static_cast<std::int16_t>(flat.arm & 0xFFFF);
            break;
        case kWfpInt32:
            value.signedNumber = static_cast<std::int32_t>(flat.arm);
            break;
        case kWfpFloat: {
            float real;
            std::memcpy(&real, &flat.arm, sizeof real);
            value.real = real;
            break;
        }
        default:
            break;
    }
    return value;
}

Sid ReadSid(NdrCursor& cursor, const std::string& what) {
    const std::size_t at = cursor.Offset();
    const std::uint32_t count = cursor.Count(what, kSubAuthoritySize);
    Sid sid;
    sid.revision = cursor.U8(what);
    const std::uint8_t subAuthorityCount = cursor.U8(what);
    const std::uint8_t* authority = cursor.Take(sid.authority.size(), what);
    std::memcpy(sid.authority.data(), authority, sid.authority.size());
    if (subAuthorityCount != count)
        cursor.Fail(what + " SID at offset " + std::to_string(at) + " has " + std::to_string(subAuthorityCount) +
                    " sub-authorities where its array holds " + std::to_string(count));
    sid.subAuthorities.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) sid.subAuthorities.push_back(cursor.U32(what));
    return sid;
}

// A conformant array of SID_AND_ATTRIBUTES, then the SIDs they point to.
std::vector<SidAndAttributes> ReadSidArray(NdrCursor& cursor, std::uint32_t declaredCount, const std::string& what) {
    const std::uint32_t count = cursor.Count(what, kSidAndAttributesSize);
    if (count != declaredCount)
        cursor.Fail(what + " holds " + std::to_string(count) + " entries where its count says " +
                    std::to_string(declaredCount));
    std::vector<bool> present;
    std::vector<SidAndAttributes> entries(count);
    for (SidAndAttributes& entry : entries) {
        present.push_back(cursor.Pointer(what));
        entry.attributes = cursor.U32(what);
    }
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (present[i]) entries[i].sid = ReadSid(cursor, what);
    return entries;
}

TokenInformation ReadTokenInformation(NdrCursor& cursor, const std::string& what) {
    const std::uint32_t sidCount = cursor.U32(what);
    const bool hasSids = cursor.Pointer(what);
    const std::uint32_t restrictedCount = cursor.U32(what);
    const bool hasRestricted = cursor.Pointer(what);
    TokenInformation token;
    if (hasSids) token.sids = ReadSidArray(cursor, sidCount, what + " sids");
    if (hasRestricted) token.restrictedSids = ReadSidArray(cursor, restrictedCount, what + " restricted sids");
    return token;
}

// FWP_BYTE_BLOB: u32 size and a pointer, then the bytes.
std::vector<std::uint8_t> ReadByteBlob(NdrCursor& cursor, const std::string& what) {
    const std::uint32_t size = cursor.U32(what);
    if (!cursor.Pointer(what)) return {};
    return cursor.CountedBytes(size, what);
}

}  // namespace

WfpValueFlat ReadWfpValueFlat(NdrCursor& cursor, bool conditionValue, const std::string& what) {
    const std::size_t at = cursor.Offset();
    WfpValueFlat flat;
    flat.type = cursor.U32(what);
    const std::uint32_t discriminant = cursor.U32(what);
    if (discriminant != flat.type)
        cursor.Fail(what + " at offset " + std::to_string(at) + " has type " + std::to_string(flat.type) +
                    " but union arm " + std::to_string(discriminant));
    if (!IsKnownType(flat.type, conditionValue))
        cursor.Fail(what + " at offset " + std::to_string(at) + " has type " + std::to_string(flat.type) +
                    ", not one this value can hold");
    flat.arm = ReadArm(cursor, flat.type, what);
    return flat;
}

WfpValue ReadWfpValuePointee(NdrCursor& cursor, const WfpValueFlat& flat, const std::string& what) {
    if (IsInline(flat.type)) return InlineValue(flat);
    WfpValue value;
    value.type = flat.type;
    if (flat.arm == 0) {
        value.null = true;
        return value;
    }
    switch (flat.type) {
        case kWfpUint64:
            value.unsignedNumber = cursor.U64(what);
            break;
        case kWfpInt64:
            value.signedNumber = static_cast<std::int64_t>(cursor.U64(what));
            break;
        case kWfpDouble: {
            const std::uint64_t bits = cursor.U64(what);
            std::memcpy(&value.real, &bits, sizeof value.real);
            break;
        }
        case kWfpByteArray16:
            value.bytes = cursor.Bytes(16, what);
            break;
        case kWfpByteArray6:
            value.bytes = cursor.Bytes(6, what);
            break;
        case kWfpBitmapArray64:
            value.bytes = cursor.Bytes(8, what);
            break;
        case kWfpByteBlob:
        case kWfpSecurityDescriptor:
        case kWfpTokenAccessInformation:
            value.bytes = ReadByteBlob(cursor, what);
            break;
        case kWfpSid:
            value.sid = ReadSid(cursor, what);
            break;
        case kWfpTokenInformation:
            value.token = ReadTokenInformation(cursor, what);
            break;
        case kWfpUnicodeString:
            value.text = cursor.String(what);
            break;
        case kWfpV4AddrMask:
            value.unsignedNumber = cursor.U32(what);
            value.mask = cursor.U32(what);
            break;
        case kWfpV6AddrMask:
            value.bytes = cursor.Bytes(16, what);
            value.mask = cursor.U8(what);
            break;
        case kWfpRange: {
            // FWP_VALUE0 has no range: the recursion stops at one level.
            const WfpValueFlat low = ReadWfpValueFlat(cursor, false, what + " low");
            const WfpValueFlat high = ReadWfpValueFlat(cursor, false, what + " high");
            value.range.push_back(ReadWfpValuePointee(cursor, low, what + " low"));
            value.range.push_back(ReadWfpValuePointee(cursor, high, what + " high"));
            break;
        }
        default:
            break;
    }
    return value;
}

}  // namespace inventory

#include "WfpValueText.h"

#include <cstdio>

#include "AddressText.h"
#include "Hex.h"
#include "RegistryText.h"
#include "SidText.h"
#include "Values.h"

namespace inventory {
namespace {

constexpr std::uint32_t kFlagMatchFirst = 6;  // all-set, any-set, none-set
constexpr std::uint32_t kFlagMatchLast = 8;

std::string Printf(const char* format, double value) {
    char text[40];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The application-id form: UTF-16LE with exactly one NUL unit, at the end.
bool IsUtf16Text(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 2 || bytes.size() % 2 != 0) return false;
    const std::size_t units = bytes.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint16_t unit = LoadU16(&bytes[2 * i]);
        const bool last = i + 1 == units;
        if ((unit == 0) != last) return false;
        if (unit >= 0xDC00 && unit <= 0xDFFF) return false;  // a low surrogate without its high one
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            // A pair is never the end: the NUL must still follow it.
            if (i + 2 >= units) return false;
            const std::uint16_t next = LoadU16(&bytes[2 * i + 2]);
            if (next < 0xDC00 || next > 0xDFFF) return false;
            ++i;
        }
    }
    return true;
}

std::string SidsText(const std::vector<SidAndAttributes>& sids) {
    std::string text;
    for (const SidAndAttributes& entry : sids) {
        if (!text.empty()) text += ',';
        text += entry.sid ? SidText(*entry.sid) : "null";
    }
    return text;
}

std::string MacText(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes) {
        if (!text.empty()) text += '-';
        AppendHex(text, byte);
    }
    return text;
}

std::string NumberText(const WfpValue& value, bool addressField, std::uint32_t matchType) {
    if (matchType >= kFlagMatchFirst && matchType <= kFlagMatchLast) {
        char text[24];
        std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value.unsignedNumber));
        return text;
    }
    if (addressField && value.type == kWfpUint32) return Ipv4Text(static_cast<std::uint32_t>(value.unsignedNumber));
    return std::to_string(value.unsignedNumber);
}

}  // namespace

std::string WfpValueText(const WfpValue& value, bool addressField, std::uint32_t matchType) {
    if (value.null) return "null";
    switch (value.type) {
        case kWfpEmpty:
            return "empty";
        case kWfpUint8:
        case kWfpUint16:
        case kWfpUint32:
        case kWfpUint64:
        case kWfpBitmapIndex:
            return NumberText(value, addressField, matchType);
        case kWfpInt8:
        case kWfpInt16:
        case kWfpInt32:
        case kWfpInt64:
            return std::to_string(value.signedNumber);
        case kWfpFloat:
            return Printf("%.9g", value.real);
        case kWfpDouble:
            return Printf("%.17g", value.real);
        case kWfpByteArray16:
            return addressField && value.bytes.size() == 16 ? Ipv6Text(value.bytes.data()) : HexText(value.bytes);
        case kWfpByteBlob:
            return IsUtf16Text(value.bytes) ? Utf16ToUtf8(value.bytes.data(), value.bytes.size())
                                            : HexText(value.bytes);
        case kWfpSid:
            return SidText(value.sid);
        case kWfpSecurityDescriptor:
            return "sd:" + SecurityDescriptorText(value.bytes).value_or(HexText(value.bytes));
        case kWfpTokenInformation:
            return "token:sids=" + SidsText(value.token.sids) + ";restricted=" + SidsText(value.token.restrictedSids);
        case kWfpTokenAccessInformation:
        case kWfpBitmapArray64:
            return HexText(value.bytes);
        case kWfpUnicodeString:
            return value.text;
        case kWfpByteArray6:
            return MacText(value.bytes);
        case kWfpV4AddrMask:
            return Ipv4Text(static_cast<std::uint32_t>(value.unsignedNumber)) + "/" + Ipv4Text(value.mask);
        case kWfpV6AddrMask:
            return (value.bytes.size() == 16 ? Ipv6Text(value.bytes.data()) : HexText(value.bytes)) + "/" +
                   std::to_string(value.mask);
        case kWfpRange:
            // A decoded range holds two plain values; nothing deeper is written.
            if (value.range.size() != 2 || value.range[0].type == kWfpRange || value.range[1].type == kWfpRange)
                return "null";
            return WfpValueText(value.range[0], addressField, matchType) + ".." +
                   WfpValueText(value.range[1], addressField, matchType);
        default:
            return "type:" + std::to_string(value.type);
    }
}

}  // namespace inventory

#include "Values.h"

#include <cstdio>

#include "RegistryText.h"

namespace inventory {
namespace {

bool IsText(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegLink || type == kRegMultiSz;
}

}  // namespace

std::optional<std::string> AsText(const std::optional<RawValue>& value) {
    if (!value || !IsText(value->type)) return std::nullopt;
    return Utf16ToUtf8(value->data.data(), value->data.size());
}

std::vector<std::string> AsTextList(const std::optional<RawValue>& value) {
    if (!value || !IsText(value->type)) return {};
    if (value->type != kRegMultiSz) {
        std::string text = Utf16ToUtf8(value->data.data(), value->data.size());
        if (text.empty()) return {};
        return {std::move(text)};
    }
    return Utf16Strings(value->data.data(), value->data.size());
}

std::optional<std::uint32_t> AsNumber(const std::optional<RawValue>& value) {
    if (!value || value->type != kRegDword || value->data.size() < 4) return std::nullopt;
    return LoadU32(value->data.data());
}

std::optional<std::string> DecimalText(std::optional<std::uint32_t> number) {
    if (!number) return std::nullopt;
    return std::to_string(*number);
}

std::uint16_t LoadU16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

std::uint32_t LoadU32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(LoadU16(at)) | (static_cast<std::uint32_t>(LoadU16(at + 2)) << 16);
}

std::uint64_t LoadU64(const std::uint8_t* at) {
    return static_cast<std::uint64_t>(LoadU32(at)) | (static_cast<std::uint64_t>(LoadU32(at + 4)) << 32);
}

std::string FormatGuid(const std::uint8_t* bytes) {
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(LoadU32(bytes)), LoadU16(bytes + 4), LoadU16(bytes + 6), bytes[8], bytes[9],
                  bytes[10], bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
    return text;
}

}  // namespace inventory

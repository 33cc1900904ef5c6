#include "WfpBlobBuilder.h"

#include <cctype>
#include <cstring>
#include <string>

#include "Text.h"

namespace inventory::test {
namespace {

constexpr std::uint8_t kHeader[] = {0x01, 0x10, 0x08, 0x00, 0xCC, 0xCC, 0xCC, 0xCC};

bool IsPointedTo(std::uint32_t type) {
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
            return false;
        default:
            return true;
    }
}

void WriteValueFlat(NdrWriter& w, const WfpValue& value) {
    w.U32(value.type);
    w.U32(value.type);
    if (value.type == kWfpEmpty) return;
    if (IsPointedTo(value.type)) return w.Pointer(!value.null);
    if (value.type == kWfpFloat) {
        const float real = static_cast<float>(value.real);
        std::uint32_t bits;
        std::memcpy(&bits, &real, sizeof bits);
        return w.U32(bits);
    }
    const bool isSigned = value.type >= kWfpInt8 && value.type <= kWfpInt64;
    w.U32(static_cast<std::uint32_t>(isSigned ? static_cast<std::uint64_t>(value.signedNumber) : value.unsignedNumber));
}

void WriteSid(NdrWriter& w, const Sid& sid) {
    w.U32(static_cast<std::uint32_t>(sid.subAuthorities.size()));
    w.U8(sid.revision);
    w.U8(static_cast<std::uint8_t>(sid.subAuthorities.size()));
    w.Raw({sid.authority.begin(), sid.authority.end()});
    for (const std::uint32_t part : sid.subAuthorities) w.U32(part);
}

void WriteSidArray(NdrWriter& w, const std::vector<SidAndAttributes>& sids) {
    w.U32(static_cast<std::uint32_t>(sids.size()));
    for (const SidAndAttributes& entry : sids) {
        w.Pointer(entry.sid.has_value());
        w.U32(entry.attributes);
    }
    for (const SidAndAttributes& entry : sids)
        if (entry.sid) WriteSid(w, *entry.sid);
}

void WriteValuePointee(NdrWriter& w, const WfpValue& value) {
    if (!IsPointedTo(value.type) || value.null) return;
    switch (value.type) {
        case kWfpUint64:
            return w.U64(value.unsignedNumber);
        case kWfpInt64:
            return w.U64(static_cast<std::uint64_t>(value.signedNumber));
        case kWfpDouble: {
            std::uint64_t bits;
            std::memcpy(&bits, &value.real, sizeof bits);
            return w.U64(bits);
        }
        case kWfpByteBlob:
        case kWfpSecurityDescriptor:
        case kWfpTokenAccessInformation:
            w.U32(static_cast<std::uint32_t>(value.bytes.size()));
            w.Pointer(true);
            return w.Counted(value.bytes);
        case kWfpSid:
            return WriteSid(w, value.sid);
        case kWfpTokenInformation:
            w.U32(static_cast<std::uint32_t>(value.token.sids.size()));
            w.Pointer(true);
            w.U32(static_cast<std::uint32_t>(value.token.restrictedSids.size()));
            w.Pointer(true);
            WriteSidArray(w, value.token.sids);
            return WriteSidArray(w, value.token.restrictedSids);
        case kWfpUnicodeString:
            return w.String(value.text);
        case kWfpV4AddrMask:
            w.U32(static_cast<std::uint32_t>(value.unsignedNumber));
            return w.U32(value.mask);
        case kWfpV6AddrMask:
            w.Raw(value.bytes);
            return w.U8(static_cast<std::uint8_t>(value.mask));
        case kWfpRange:
            w.Align(4);
            for (const WfpValue& side : value.range) WriteValueFlat(w, side);
            for (const WfpValue& side : value.range) WriteValuePointee(w, side);
            return;
        default:
            return w.Raw(value.bytes);  // the byte arrays
    }
}

void WriteDisplayData(NdrWriter& w, const std::optional<std::string>& name,
                      const std::optional<std::string>& description) {
    w.Pointer(name.has_value());
    w.Pointer(description.has_value());
}

void WriteDeferredCommon(NdrWriter& w, const std::optional<std::string>& name,
                         const std::optional<std::string>& description, const std::optional<Guid>& providerKey,
                         const std::optional<std::vector<std::uint8_t>>& providerData) {
    if (name) w.String(*name);
    if (description) w.String(*description);
    if (providerKey) w.WriteGuid(*providerKey);
    if (providerData) w.Counted(*providerData);
}

}  // namespace

void NdrWriter::Align(std::size_t alignment) {
    while (bytes.size() % alignment != 0) bytes.push_back(0);
}
void NdrWriter::U16(std::uint16_t value) {
    Align(2);
    for (int i = 0; i < 2; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
void NdrWriter::U32(std::uint32_t value) {
    Align(4);
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
void NdrWriter::U64(std::uint64_t value) {
    Align(8);
    for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
void NdrWriter::WriteGuid(const Guid& guid) {
    Align(4);
    Raw({guid.bytes.begin(), guid.bytes.end()});
}
void NdrWriter::String(std::string_view utf8) {
    const std::vector<std::uint8_t> units = Utf16Bytes(utf8);
    const auto count = static_cast<std::uint32_t>(units.size() / 2 + 1);
    U32(count);
    U32(0);
    U32(count);
    Raw(units);
    U16(0);
}
void NdrWriter::Counted(const std::vector<std::uint8_t>& data) {
    U32(static_cast<std::uint32_t>(data.size()));
    Raw(data);
}

std::vector<std::uint8_t> WrapWfpPickle(std::uint32_t objectType, std::vector<std::uint8_t> body,
                                        const std::vector<std::uint8_t>& securityDescriptor) {
    while (body.size() % 8 != 0) body.push_back(0);
    NdrWriter inner;
    inner.Raw({std::begin(kHeader), std::end(kHeader)});
    inner.U32(static_cast<std::uint32_t>(body.size()));
    inner.U32(0);
    inner.Raw(body);
    NdrWriter outer;
    outer.Raw({std::begin(kHeader), std::end(kHeader)});
    outer.U32(0);  // the length, set below
    outer.U32(0);
    outer.Pointer(true);
    outer.U32(objectType);
    outer.U32(static_cast<std::uint32_t>(inner.bytes.size()));
    outer.Pointer(true);
    outer.U32(static_cast<std::uint32_t>(securityDescriptor.size()));
    outer.Pointer(!securityDescriptor.empty());
    outer.Counted(inner.bytes);
    if (!securityDescriptor.empty()) outer.Counted(securityDescriptor);
    outer.Align(8);
    const auto length = static_cast<std::uint32_t>(outer.bytes.size() - 16);
    std::memcpy(&outer.bytes[8], &length, sizeof length);
    return outer.bytes;
}

std::vector<std::uint8_t> EncodeWfpProvider(const WfpProvider& p) {
    NdrWriter w;
    w.Pointer(true);
    w.WriteGuid(p.key);
    WriteDisplayData(w, p.name, p.description);
    w.U32(p.flags);
    w.U32(p.providerData ? static_cast<std::uint32_t>(p.providerData->size()) : 0);
    w.Pointer(p.providerData.has_value());
    w.Pointer(p.serviceName.has_value());
    WriteDeferredCommon(w, p.name, p.description, std::nullopt, p.providerData);
    if (p.serviceName) w.String(*p.serviceName);
    return WrapWfpPickle(0, w.bytes, p.securityDescriptor);
}

// Sublayer and callout share their first fields.
template <typename Record>
void WriteSublayerOrCalloutHead(NdrWriter& w, const Record& r) {
    w.Pointer(true);
    w.WriteGuid(r.key);
    WriteDisplayData(w, r.name, r.description);
    w.U32(r.flags);
    w.Pointer(r.providerKey.has_value());
    w.U32(r.providerData ? static_cast<std::uint32_t>(r.providerData->size()) : 0);
    w.Pointer(r.providerData.has_value());
}

std::vector<std::uint8_t> EncodeWfpSublayer(const WfpSublayer& s) {
    NdrWriter w;
    WriteSublayerOrCalloutHead(w, s);
    w.U16(s.weight);
    WriteDeferredCommon(w, s.name, s.description, s.providerKey, s.providerData);
    return WrapWfpPickle(2, w.bytes, s.securityDescriptor);
}

std::vector<std::uint8_t> EncodeWfpCallout(const WfpCallout& c) {
    NdrWriter w;
    WriteSublayerOrCalloutHead(w, c);
    w.WriteGuid(c.applicableLayer);
    w.U32(c.calloutId);
    WriteDeferredCommon(w, c.name, c.description, c.providerKey, c.providerData);
    return WrapWfpPickle(4, w.bytes, c.securityDescriptor);
}

std::vector<std::uint8_t> EncodeWfpFilter(const WfpFilter& f) {
    NdrWriter w;
    w.Pointer(true);
    w.Align(8);
    w.WriteGuid(f.key);
    WriteDisplayData(w, f.name, f.description);
    w.U32(f.flags);
    w.Pointer(f.providerKey.has_value());
    w.U32(f.providerData ? static_cast<std::uint32_t>(f.providerData->size()) : 0);
    w.Pointer(f.providerData.has_value());
    w.WriteGuid(f.layerKey);
    w.WriteGuid(f.subLayerKey);
    WriteValueFlat(w, f.weight);
    w.U32(static_cast<std::uint32_t>(f.conditions.size()));
    w.Pointer(!f.conditions.empty());
    w.U32(f.actionType);
    w.U32(f.actionType & 0x4000);
    w.WriteGuid(f.actionKey);
    w.U32(f.flags & 4);
    w.Align(8);
    if (f.flags & 4)
        w.WriteGuid(f.providerContextKey.value_or(Guid{}));
    else
        w.U64(f.rawContext);
    w.Pointer(f.reserved.has_value());
    w.U64(f.filterId);
    WriteValueFlat(w, f.effectiveWeight);
    WriteDeferredCommon(w, f.name, f.description, f.providerKey, f.providerData);
    WriteValuePointee(w, f.weight);
    if (!f.conditions.empty()) {
        w.U32(static_cast<std::uint32_t>(f.conditions.size()));
        for (const WfpCondition& condition : f.conditions) {
            w.WriteGuid(condition.fieldKey);
            w.U32(condition.matchType);
            WriteValueFlat(w, condition.value);
        }
        for (const WfpCondition& condition : f.conditions) WriteValuePointee(w, condition.value);
    }
    if (f.reserved) w.WriteGuid(*f.reserved);
    WriteValuePointee(w, f.effectiveWeight);
    return WrapWfpPickle(5, w.bytes, f.securityDescriptor);
}

Guid ParseGuid(std::string_view text) {
    std::string hex;
    for (const char c : text)
        if (std::isxdigit(static_cast<unsigned char>(c))) hex += c;
    std::uint8_t raw[16] = {};
    for (std::size_t i = 0; i < 16 && 2 * i + 1 < hex.size(); ++i)
        raw[i] = static_cast<std::uint8_t>(std::stoul(hex.substr(2 * i, 2), nullptr, 16));
    // Data1-3 are little-endian on the wire.
    constexpr int kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    Guid guid;
    for (int i = 0; i < 16; ++i) guid.bytes[i] = raw[kOrder[i]];
    return guid;
}

Guid MakeGuid(std::uint8_t fill) {
    Guid guid;
    guid.bytes.fill(fill);
    return guid;
}

std::vector<std::uint8_t> Utf16Bytes(std::string_view utf8) {
    std::vector<std::uint8_t> bytes;
    for (const char16_t unit : Utf8ToUtf16(utf8)) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

}  // namespace inventory::test

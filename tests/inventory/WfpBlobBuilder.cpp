#include "WfpBlobBuilder.h"

#include <cctype>
#include <cstring>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "FuzzSeeds.h"
#include "RegText.h"

namespace inventory::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint8_t kHeader[] = {0x01, 0x10, 0x08, 0x00, 0xCC, 0xCC, 0xCC, 0xCC};

template <typename Container>
std::uint32_t Size(const Container& container) {
    return static_cast<std::uint32_t>(container.size());
}

// NDR as the persistent objects hold it: alignment counts from the first
// byte, referent ids count up from 0x00020000.
class NdrWriter {
public:
    Bytes bytes;

    void Align(std::size_t alignment) { bytes.resize((bytes.size() + alignment - 1) / alignment * alignment); }
    void U16(std::uint16_t value) { Int(value, 2); }
    void U32(std::uint32_t value) { Int(value, 4); }
    void U64(std::uint64_t value) { Int(value, 8); }
    void Raw(const Bytes& data) { bytes.insert(bytes.end(), data.begin(), data.end()); }
    void WriteGuid(const Guid& guid) {
        Align(4);
        Raw({guid.bytes.begin(), guid.bytes.end()});
    }
    void Pointer(bool present) { U32(present ? nextReferent_ += 4 : 0); }
    void Counted(const Bytes& data) {
        U32(Size(data));
        Raw(data);
    }
    // max, offset 0, actual, the units and a NUL.
    void String(std::string_view utf8) {
        const Bytes units = tools::Utf16Bytes(utf8);
        for (const std::uint32_t field : {Size(units) / 2, 0u, Size(units) / 2}) U32(field);
        Raw(units);
    }

    void Int(std::uint64_t value, std::size_t size) {
        Align(size);
        for (std::size_t i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }

private:
    std::uint32_t nextReferent_ = 0x0001FFFC;
};

// The type twice, then an inline arm in its own size (what follows pads it) or a pointer.
void WriteValueFlat(NdrWriter& w, const WfpValue& value) {
    w.U32(value.type);
    w.U32(value.type);
    constexpr std::size_t kArmBytes[] = {0, 1, 2, 4};  // EMPTY, UINT8, UINT16, UINT32
    if (value.type > kWfpUint32)
        w.Pointer(true);
    else if (value.type != kWfpEmpty)
        w.Int(value.unsignedNumber, kArmBytes[value.type]);
}

void WriteValuePointee(NdrWriter& w, const WfpValue& value) {
    if (value.type <= kWfpUint32) return;  // inline
    switch (value.type) {
        case kWfpUint64:
            return w.U64(value.unsignedNumber);
        case kWfpByteBlob:
            w.U32(Size(value.bytes));
            w.Pointer(true);
            return w.Counted(value.bytes);
        case kWfpRange:
            w.Align(4);
            for (const WfpValue& side : value.range) WriteValueFlat(w, side);
            for (const WfpValue& side : value.range) WriteValuePointee(w, side);
            return;
        default:
            throw std::invalid_argument("the test encoder does not write WFP value type " + std::to_string(value.type));
    }
}

// What every kind has first: the object pointer, the key, the display data,
// the flags, the providerKey pointer where the kind has one, providerData.
template <typename Record>
void WriteHead(NdrWriter& w, const Record& r, const std::optional<Guid>* providerKey) {
    w.Pointer(true);
    if (std::is_same_v<Record, WfpFilter>) w.Align(8);
    w.WriteGuid(r.key);
    w.Pointer(r.name.has_value());
    w.Pointer(r.description.has_value());
    w.U32(r.flags);
    if (providerKey) w.Pointer(providerKey->has_value());
    w.U32(r.providerData ? Size(*r.providerData) : 0);
    w.Pointer(r.providerData.has_value());
}

template <typename Record>
void WriteDeferred(NdrWriter& w, const Record& r, const std::optional<Guid>& providerKey) {
    if (r.name) w.String(*r.name);
    if (r.description) w.String(*r.description);
    if (providerKey) w.WriteGuid(*providerKey);
    if (r.providerData) w.Counted(*r.providerData);
}

}  // namespace

Bytes WrapWfpPickle(std::uint32_t objectType, Bytes body, const Bytes& securityDescriptor) {
    while (body.size() % 8 != 0) body.push_back(0);
    NdrWriter inner, outer;
    inner.Raw({std::begin(kHeader), std::end(kHeader)});
    for (const std::uint32_t field : {Size(body), 0u}) inner.U32(field);
    inner.Raw(body);
    outer.Raw({std::begin(kHeader), std::end(kHeader)});
    // The length (set below), the filler, the object pointer, the type, the
    // inner pickle's size and pointer, the descriptor's size and pointer.
    for (const std::uint32_t field : {0u, 0u, 0x20000u, objectType, Size(inner.bytes), 0x20004u,
                                      Size(securityDescriptor), securityDescriptor.empty() ? 0u : 0x20008u})
        outer.U32(field);
    outer.Counted(inner.bytes);
    if (!securityDescriptor.empty()) outer.Counted(securityDescriptor);
    outer.Align(8);
    const auto length = static_cast<std::uint32_t>(outer.bytes.size() - 16);
    std::memcpy(&outer.bytes[8], &length, sizeof length);
    KeepAsFuzzSeed("wfp_object", outer.bytes);
    return outer.bytes;
}

Bytes EncodeWfpProvider(const WfpProvider& p) {
    NdrWriter w;
    WriteHead(w, p, nullptr);
    w.Pointer(p.serviceName.has_value());
    WriteDeferred(w, p, std::nullopt);
    if (p.serviceName) w.String(*p.serviceName);
    return WrapWfpPickle(0, w.bytes, p.securityDescriptor);
}

Bytes EncodeWfpSublayer(const WfpSublayer& s) {
    NdrWriter w;
    WriteHead(w, s, &s.providerKey);
    w.U16(s.weight);
    WriteDeferred(w, s, s.providerKey);
    return WrapWfpPickle(2, w.bytes, s.securityDescriptor);
}

Bytes EncodeWfpCallout(const WfpCallout& c) {
    NdrWriter w;
    WriteHead(w, c, &c.providerKey);
    w.WriteGuid(c.applicableLayer);
    w.U32(c.calloutId);
    WriteDeferred(w, c, c.providerKey);
    return WrapWfpPickle(4, w.bytes, c.securityDescriptor);
}

Bytes EncodeWfpFilter(const WfpFilter& f) {
    if (f.flags & WfpFilter::kHasProviderContext || f.reserved) throw std::invalid_argument("a raw context only");
    NdrWriter w;
    WriteHead(w, f, &f.providerKey);
    w.WriteGuid(f.layerKey);
    w.WriteGuid(f.subLayerKey);
    WriteValueFlat(w, f.weight);
    w.U32(Size(f.conditions));
    w.Pointer(!f.conditions.empty());
    w.U32(f.actionType);
    w.U32(f.actionType & WfpFilter::kCalloutAction);
    w.WriteGuid(f.actionKey);
    w.U32(0);  // the context arm: the raw context
    w.U64(f.rawContext);
    w.Pointer(false);  // reserved
    w.U64(f.filterId);
    WriteValueFlat(w, f.effectiveWeight);
    WriteDeferred(w, f, f.providerKey);
    WriteValuePointee(w, f.weight);
    if (!f.conditions.empty()) {
        w.U32(Size(f.conditions));
        for (const WfpCondition& c : f.conditions) {
            w.WriteGuid(c.fieldKey);
            w.U32(c.matchType);
            WriteValueFlat(w, c.value);
        }
        for (const WfpCondition& c : f.conditions) WriteValuePointee(w, c.value);
    }
    WriteValuePointee(w, f.effectiveWeight);
    return WrapWfpPickle(5, w.bytes, f.securityDescriptor);
}

Guid ParseGuid(std::string_view text) {
    // Data1-3 are little-endian: the text's bytes in this order.
    constexpr int kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    std::string hex;
    for (const char c : text)
        if (std::isxdigit(static_cast<unsigned char>(c))) hex += c;
    Guid guid;
    for (int i = 0; i < 16 && hex.size() == 32; ++i)
        guid.bytes[i] = static_cast<std::uint8_t>(std::stoul(hex.substr(2 * kOrder[i], 2), nullptr, 16));
    return guid;
}

Guid MakeGuid(std::uint8_t fill) {
    Guid guid;
    guid.bytes.fill(fill);
    return guid;
}

}  // namespace inventory::test

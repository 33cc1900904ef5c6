#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "WfpObjects.h"

namespace inventory::test {

// Writes NDR as the persistent WFP objects hold it (WFP-FILTERS.md),
// independently of the decoders: alignment counts from the first byte,
// referent ids count up from 0x00020000.
class NdrWriter {
public:
    std::vector<std::uint8_t> bytes;

    void Align(std::size_t alignment);
    void U8(std::uint8_t value) { bytes.push_back(value); }
    void U16(std::uint16_t value);
    void U32(std::uint32_t value);
    void U64(std::uint64_t value);
    void Raw(const std::vector<std::uint8_t>& data) { bytes.insert(bytes.end(), data.begin(), data.end()); }
    void WriteGuid(const Guid& guid);
    void Pointer(bool present) { U32(present ? nextReferent_ += 4 : 0); }
    void String(std::string_view utf8);  // max, offset 0, actual, the units and a NUL
    void Counted(const std::vector<std::uint8_t>& data);

private:
    std::uint32_t nextReferent_ = 0x0001FFFC;
};

// The outer and inner pickle around an NDR body that starts at B.
std::vector<std::uint8_t> WrapWfpPickle(std::uint32_t objectType, std::vector<std::uint8_t> body,
                                        const std::vector<std::uint8_t>& securityDescriptor);

// Whole values as the registry holds them; each record's securityDescriptor
// goes into the outer pickle.
std::vector<std::uint8_t> EncodeWfpProvider(const WfpProvider& provider);
std::vector<std::uint8_t> EncodeWfpSublayer(const WfpSublayer& sublayer);
std::vector<std::uint8_t> EncodeWfpCallout(const WfpCallout& callout);
std::vector<std::uint8_t> EncodeWfpFilter(const WfpFilter& filter);

// The GUID that FormatGuid writes as text ({...}).
Guid ParseGuid(std::string_view text);
// A GUID whose bytes are all `fill`, and text as UTF-16LE bytes (NUL not added).
Guid MakeGuid(std::uint8_t fill);
std::vector<std::uint8_t> Utf16Bytes(std::string_view utf8);

}  // namespace inventory::test

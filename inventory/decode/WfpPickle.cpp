#include "WfpPickle.h"

#include <algorithm>

#include "NdrCursor.h"

namespace inventory {
namespace {

// Version 1, little-endian, 8-byte header, filler.
constexpr std::uint8_t kCommonHeader[] = {0x01, 0x10, 0x08, 0x00, 0xCC, 0xCC, 0xCC, 0xCC};

// The common and the private header; returns the length of what follows.
std::uint32_t ReadHeader(NdrCursor& cursor, const std::string& which) {
    const std::size_t at = cursor.Offset();
    const std::uint8_t* common = cursor.Take(sizeof kCommonHeader, which + " header");
    if (!std::equal(common, common + sizeof kCommonHeader, kCommonHeader))
        cursor.Fail(which + " header at offset " + std::to_string(at) + " is not a type-serialisation header");
    const std::uint32_t length = cursor.U32(which + " header");
    if (cursor.U32(which + " header") != 0)
        cursor.Fail(which + " header at offset " + std::to_string(at) + " has a non-zero filler");
    return length;
}

}  // namespace

WfpPickle OpenWfpPickle(const std::uint8_t* data, std::size_t size, const std::string& subject) {
    NdrCursor outer(data, 0, size, subject);
    const std::uint32_t length = ReadHeader(outer, "outer");
    if (length != outer.Remaining())
        outer.Fail("outer header declares " + std::to_string(length) + " bytes, the value holds " +
                   std::to_string(outer.Remaining()) + " after it");
    if (!outer.Pointer("object pointer")) outer.Fail("the object pointer is null");
    WfpPickle pickle;
    pickle.objectType = outer.U32("object type");
    const std::uint32_t blobSize = outer.U32("inner pickle size");
    if (!outer.Pointer("inner pickle pointer")) outer.Fail("the inner pickle pointer is null");
    const std::uint32_t descriptorSize = outer.U32("security descriptor size");
    const bool hasDescriptor = outer.Pointer("security descriptor pointer");
    const std::uint32_t blobCount = outer.Count("inner pickle", 1);
    if (blobCount != blobSize)
        outer.Fail("inner pickle holds " + std::to_string(blobCount) + " bytes where its size says " +
                   std::to_string(blobSize));
    const std::size_t innerBegin = outer.Offset();
    outer.Take(blobCount, "inner pickle");

    NdrCursor inner(data, innerBegin, innerBegin + blobCount, subject);
    const std::uint32_t bodyLength = ReadHeader(inner, "inner");
    if (bodyLength != inner.Remaining())
        inner.Fail("inner header declares " + std::to_string(bodyLength) + " bytes, the inner pickle holds " +
                   std::to_string(inner.Remaining()) + " after it");
    pickle.bodyBegin = inner.Offset();
    pickle.bodyEnd = innerBegin + blobCount;

    if (hasDescriptor) pickle.securityDescriptor = outer.CountedBytes(descriptorSize, "security descriptor");
    outer.ExpectEnd("outer pickle");
    return pickle;
}

}  // namespace inventory

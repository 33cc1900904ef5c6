#include "WfpDecoders.h"

#include "DecodeError.h"
#include "WfpBodies.h"
#include "WfpPickle.h"

namespace inventory {
namespace {

const char* KindName(std::uint32_t objectType) {
    switch (static_cast<WfpObjectType>(objectType)) {
        case WfpObjectType::kProvider:
            return "provider";
        case WfpObjectType::kSublayer:
            return "sublayer";
        case WfpObjectType::kCallout:
            return "callout";
        case WfpObjectType::kFilter:
            return "filter";
    }
    return nullptr;
}

template <typename Record>
Record ReadBody(const std::uint8_t* data, const WfpPickle& pickle, Record (*read)(NdrCursor&)) {
    NdrCursor body(data, pickle.bodyBegin, pickle.bodyEnd, KindName(pickle.objectType));
    Record record = read(body);
    body.ExpectEnd("object");
    record.securityDescriptor = pickle.securityDescriptor;
    return record;
}

template <typename Record>
Record Decode(const std::uint8_t* data, std::size_t size, WfpObjectType type, Record (*read)(NdrCursor&)) {
    const std::string kind = KindName(static_cast<std::uint32_t>(type));
    const WfpPickle pickle = OpenWfpPickle(data, size, kind);
    if (pickle.objectType != static_cast<std::uint32_t>(type)) {
        const char* found = KindName(pickle.objectType);
        throw DecodeError(kind + ": the value holds object type " + std::to_string(pickle.objectType) +
                          (found ? std::string(" (") + found + ")" : std::string()) + ", not a " + kind);
    }
    return ReadBody(data, pickle, read);
}

}  // namespace

WfpProvider DecodeWfpProvider(const std::uint8_t* data, std::size_t size) {
    return Decode(data, size, WfpObjectType::kProvider, ReadWfpProviderBody);
}

WfpSublayer DecodeWfpSublayer(const std::uint8_t* data, std::size_t size) {
    return Decode(data, size, WfpObjectType::kSublayer, ReadWfpSublayerBody);
}

WfpCallout DecodeWfpCallout(const std::uint8_t* data, std::size_t size) {
    return Decode(data, size, WfpObjectType::kCallout, ReadWfpCalloutBody);
}

WfpFilter DecodeWfpFilter(const std::uint8_t* data, std::size_t size) {
    return Decode(data, size, WfpObjectType::kFilter, ReadWfpFilterBody);
}

WfpObject DecodeWfpObject(const std::uint8_t* data, std::size_t size) {
    const WfpPickle pickle = OpenWfpPickle(data, size, "WFP object");
    switch (static_cast<WfpObjectType>(pickle.objectType)) {
        case WfpObjectType::kProvider:
            return ReadBody(data, pickle, ReadWfpProviderBody);
        case WfpObjectType::kSublayer:
            return ReadBody(data, pickle, ReadWfpSublayerBody);
        case WfpObjectType::kCallout:
            return ReadBody(data, pickle, ReadWfpCalloutBody);
        case WfpObjectType::kFilter:
            return ReadBody(data, pickle, ReadWfpFilterBody);
    }
    throw DecodeError("WFP object: object type " + std::to_string(pickle.objectType) +
                      " is not a provider, sublayer, callout or filter");
}

}  // namespace inventory

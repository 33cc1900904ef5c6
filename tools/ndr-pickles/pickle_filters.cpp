// Pickles FWPM_FILTER0 objects with the NDR engine of rpcrt4 (Wine's, when
// run under wine64) through the stubs widl writes for wfp.idl, and writes
// each as the registry holds it: the outer pickle around the inner one. For
// each filter it prints the texts the decoder must give, written by hand
// beside the inputs below, as a row of the decoder test's table.
//
//   pickle_filters.exe OUTPUT_FOLDER
#include "ndr_driver.h"
#include "wfp.h"
// After the Windows headers that wfp.h brings.
#include <sddl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <utility>
#include <vector>

extern "C" void* __RPC_USER MIDL_user_allocate(SIZE_T size) {
    return std::malloc(size);
}

extern "C" void __RPC_USER MIDL_user_free(void* pointer) {
    std::free(pointer);
}

namespace {

using Bytes = std::vector<UINT8>;

// Everything a filter points to lives until the program ends.
template <typename T>
T* Keep(T value) {
    static std::deque<T> store;
    store.push_back(std::move(value));
    return &store.back();
}

GUID MakeGuid(const char* text) {
    GUID guid{};
    unsigned parts[11];
    std::sscanf(text, "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}", &parts[0], &parts[1], &parts[2], &parts[3], &parts[4],
                &parts[5], &parts[6], &parts[7], &parts[8], &parts[9], &parts[10]);
    guid.Data1 = parts[0];
    guid.Data2 = static_cast<unsigned short>(parts[1]);
    guid.Data3 = static_cast<unsigned short>(parts[2]);
    for (int i = 0; i < 8; ++i) guid.Data4[i] = static_cast<unsigned char>(parts[3 + i]);
    return guid;
}

Bytes Utf16(const wchar_t* text) {
    Bytes bytes;
    for (const wchar_t* unit = text;; ++unit) {
        bytes.push_back(static_cast<UINT8>(*unit));
        bytes.push_back(static_cast<UINT8>(*unit >> 8));
        if (*unit == 0) return bytes;
    }
}

FWP_BYTE_BLOB* Blob(const Bytes& bytes) {
    Bytes* data = Keep(bytes);
    return Keep(FWP_BYTE_BLOB{static_cast<UINT32>(data->size()), data->data()});
}

// A self-relative security descriptor, made by advapi32 from its SDDL.
Bytes Descriptor(const wchar_t* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ULONG size = 0;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, &size)) {
        std::fprintf(stderr, "cannot make a security descriptor of %ls\n", sddl);
        std::exit(1);
    }
    const auto* bytes = static_cast<const UINT8*>(descriptor);
    Bytes result(bytes, bytes + size);
    LocalFree(descriptor);
    return result;
}

SID* MakeSid(const wchar_t* text) {
    PSID sid = nullptr;
    if (!ConvertStringSidToSidW(text, &sid)) {
        std::fprintf(stderr, "cannot make the SID %ls\n", text);
        std::exit(1);
    }
    Bytes* copy = Keep(Bytes(static_cast<UINT8*>(sid), static_cast<UINT8*>(sid) + GetLengthSid(sid)));
    LocalFree(sid);
    return reinterpret_cast<SID*>(copy->data());
}

// Condition values, one maker per arm. A weight (FWP_VALUE0) has the same
// layout as the condition value's first 21 arms.
using Value = FWP_CONDITION_VALUE0;

template <typename Member>
Value With(FWP_DATA_TYPE type, Member Value::*member, Member content) {
    Value value{};
    value.type = type;
    value.*member = content;
    return value;
}

Value Empty() {
    return Value{};
}
Value U8(UINT8 number) {
    return With(FWP_UINT8, &Value::uint8, number);
}
Value U16(UINT16 number) {
    return With(FWP_UINT16, &Value::uint16, number);
}
Value U32(UINT32 number) {
    return With(FWP_UINT32, &Value::uint32, number);
}
Value U64(UINT64 number) {
    return With(FWP_UINT64, &Value::uint64, Keep(number));
}
Value I8(INT8 number) {
    return With(FWP_INT8, &Value::int8, number);
}
Value I16(INT16 number) {
    return With(FWP_INT16, &Value::int16, number);
}
Value I32(INT32 number) {
    return With(FWP_INT32, &Value::int32, number);
}
Value I64(INT64 number) {
    return With(FWP_INT64, &Value::int64, Keep(number));
}
Value Float(float number) {
    return With(FWP_FLOAT, &Value::float32, number);
}
Value Double(double number) {
    return With(FWP_DOUBLE, &Value::double64, Keep(number));
}
Value Array16(const Bytes& bytes) {
    FWP_BYTE_ARRAY16 array{};
    std::memcpy(array.byteArray16, bytes.data(), sizeof array.byteArray16);
    return With(FWP_BYTE_ARRAY16_TYPE, &Value::byteArray16, Keep(array));
}
Value ByteBlob(const Bytes& bytes) {
    return With(FWP_BYTE_BLOB_TYPE, &Value::byteBlob, Blob(bytes));
}
Value SidValue(const wchar_t* text) {
    return With(FWP_SID, &Value::sid, MakeSid(text));
}
Value Sd(const wchar_t* sddl) {
    return With(FWP_SECURITY_DESCRIPTOR_TYPE, &Value::sd, Blob(Descriptor(sddl)));
}
// sids: the SIDs' texts, nullptr for an entry whose SID pointer is null.
Value Token(std::vector<const wchar_t*> sids, std::vector<const wchar_t*> restricted) {
    const auto entries = [](const std::vector<const wchar_t*>& texts) {
        auto* array = Keep(std::vector<SID_AND_ATTRIBUTES>());
        for (const wchar_t* text : texts)
            array->push_back({text ? MakeSid(text) : nullptr, static_cast<DWORD>(array->size() + 7)});
        return array;
    };
    auto* sidArray = entries(sids);
    auto* restrictedArray = entries(restricted);
    return With(FWP_TOKEN_INFORMATION_TYPE, &Value::tokenInformation,
                Keep(FWP_TOKEN_INFORMATION{static_cast<ULONG>(sidArray->size()), sidArray->data(),
                                           static_cast<ULONG>(restrictedArray->size()), restrictedArray->data()}));
}
Value TokenAccess(const Bytes& bytes) {
    return With(FWP_TOKEN_ACCESS_INFORMATION_TYPE, &Value::tokenAccessInformation, Blob(bytes));
}
Value Text(const wchar_t* text) {
    return With(FWP_UNICODE_STRING_TYPE, &Value::unicodeString, Keep(std::wstring(text))->data());
}
Value Array6(const Bytes& bytes) {
    FWP_BYTE_ARRAY6 array{};
    std::memcpy(array.byteArray6, bytes.data(), sizeof array.byteArray6);
    return With(FWP_BYTE_ARRAY6_TYPE, &Value::byteArray6, Keep(array));
}
Value BitmapIndex(UINT8 index) {
    return With(FWP_BITMAP_INDEX_TYPE, &Value::bitmapIndex, index);
}
Value Bitmap64(const Bytes& bytes) {
    FWP_BITMAP_ARRAY64 array{};
    std::memcpy(array.bitmapArray64, bytes.data(), sizeof array.bitmapArray64);
    return With(FWP_BITMAP_ARRAY64_TYPE, &Value::bitmapArray64, Keep(array));
}
Value V4Mask(UINT32 address, UINT32 mask) {
    return With(FWP_V4_ADDR_MASK, &Value::v4AddrMask, Keep(FWP_V4_ADDR_AND_MASK{address, mask}));
}
Value V6Mask(const Bytes& address, UINT8 prefix) {
    FWP_V6_ADDR_AND_MASK mask{};
    std::memcpy(mask.addr, address.data(), sizeof mask.addr);
    mask.prefixLength = prefix;
    return With(FWP_V6_ADDR_MASK, &Value::v6AddrMask, Keep(mask));
}
FWP_VALUE0 Plain(const Value& value) {
    FWP_VALUE0 plain{};
    static_assert(sizeof plain == sizeof value, "the two values share their layout");
    std::memcpy(&plain, &value, sizeof plain);
    return plain;
}
Value Range(const Value& low, const Value& high) {
    return With(FWP_RANGE_TYPE, &Value::rangeValue, Keep(FWP_RANGE0{Plain(low), Plain(high)}));
}
// A pointer arm whose pointer is null.
Value Null(FWP_DATA_TYPE type) {
    Value value{};
    value.type = type;
    return value;
}

// The fields and layers the filters use (wfp-names.tsv).
const GUID kAleAppId = MakeGuid("{D78E1E87-8644-4EA5-9437-D809ECEFC971}");
const GUID kAleUserId = MakeGuid("{AF043A0A-B34D-4F86-979C-C90371AF6E66}");
const GUID kAlePackageId = MakeGuid("{71BC78FA-F17C-4997-A602-6ABB261F351C}");
const GUID kAleEffectiveName = MakeGuid("{B1277B9A-B781-40FC-9671-E5F1B989F34E}");
const GUID kClientToken = MakeGuid("{C228FC1E-403A-4478-BE05-C9BAA4C05ACE}");
const GUID kRemoteUserToken = MakeGuid("{9BF0EE66-06C9-41B9-84DA-288CB43AF51F}");
const GUID kPeerName = MakeGuid("{9B539082-EB90-4186-A6CC-DE5B63235016}");
const GUID kFlags = MakeGuid("{632CE23B-5167-435C-86D7-E903684AA80C}");
const GUID kIpProtocol = MakeGuid("{3971EF2B-623E-4F9A-8CB1-6E79B806B9A7}");
const GUID kIpLocalPort = MakeGuid("{0C1BA1AF-5765-453F-AF22-A8F791AC775B}");
const GUID kIpRemotePort = MakeGuid("{C35A604D-D22B-4E1A-91B4-68F674EE674B}");
const GUID kIpLocalAddressV4 = MakeGuid("{03A629CB-6E52-49F8-9C41-5709633C09CF}");
const GUID kIpLocalAddressV6 = MakeGuid("{2381BE84-7524-45B3-A05B-1E637D9C7A6A}");
const GUID kIpRemoteAddress = MakeGuid("{B235AE9A-1D64-49B8-A44C-5FF3D9095045}");
const GUID kInterfaceIndex = MakeGuid("{667FD755-D695-434A-8AF5-D3835A1259BC}");
const GUID kInterfaceType = MakeGuid("{DAF8CD14-E09E-4C93-A5AE-C5C13B73FFCA}");
const GUID kCompartmentId = MakeGuid("{35A791AB-04AC-4FF2-A6BB-DA6CFAC71806}");
const GUID kMacLocalAddress = MakeGuid("{D999E981-7948-4C83-B742-C84E3B678F8F}");
const GUID kL2Flags = MakeGuid("{7BC43CBF-37BA-45F1-B74A-82FF518EEB10}");
const GUID kIpsecPolicyKey = MakeGuid("{AD37DEE3-722F-45CC-A4E3-068048124452}");
const GUID kReserved0 = MakeGuid("{678F4DEB-45AF-4882-93FE-19D4729D9834}");
const GUID kReserved1 = MakeGuid("{D818F827-5C69-48EB-BF80-D86B17755F97}");
const GUID kConnectV4 = MakeGuid("{C38D57D1-05A7-4C33-904F-7FBCEEE60E82}");
const GUID kConnectV6 = MakeGuid("{4A72393B-319F-44BC-84C3-BA54DCB3B6B4}");
const GUID kRecvAcceptV4 = MakeGuid("{E1CD9FE7-F4B5-4273-96C0-592E487B8650}");
const GUID kSublayer = MakeGuid("{B3CDD441-AF90-41BA-A745-7C6008FF2301}");

// Match types.
constexpr UINT32 kEqual = 0, kGreater = 1, kLess = 2, kRange = 5, kAllSet = 6, kAnySet = 7, kNoneSet = 8,
                 kEqualCase = 9, kNotEqual = 10, kPrefix = 11;

Bytes Ipv6(std::initializer_list<UINT8> head, std::initializer_list<UINT8> tail = {}) {
    Bytes bytes(16);
    std::copy(head.begin(), head.end(), bytes.begin());
    std::copy(tail.begin(), tail.end(), bytes.end() - tail.size());
    return bytes;
}

// One filter, what it is made of and the texts its decoding must give.
struct Filter {
    const char* file;
    FWPM_FILTER0 filter{};
    std::vector<FWPM_FILTER_CONDITION0> conditions;
    std::string conditionsText;
    Bytes securityDescriptor;
    // The expected texts (see the decoder test's table).
    const char* name = "(absent)";
    const char* description = "(absent)";
    const char* providerKey = "-";
    const char* providerData = "(absent)";
    const char* layer = "";
    const char* weight = "-";
    const char* action = "block";
    const char* actionKey = "{00000000-0000-0000-0000-000000000000}";
    const char* context = "raw:0x0000000000000000";
    const char* reserved = "-";
    const char* effectiveWeight = "-";
    const char* securityDescriptorText = "-";

    explicit Filter(const char* fileName, const char* key) : file(fileName) {
        filter.filterKey = MakeGuid(key);
        filter.flags = 1;  // persistent
        filter.subLayerKey = kSublayer;
        filter.action.type = 0x1001;
    }
    void Condition(const GUID& field, UINT32 match, const Value& value, const char* text) {
        conditions.push_back({field, match, value});
        conditionsText += (conditionsText.empty() ? "" : " & ") + std::string(text);
    }
};

// The NDR data the engine writes for one object (see ndr_driver.c).
template <typename Type>
Bytes Marshal(Type* object, void (*encode)(handle_t, Type*)) {
    NdrPickle pickle{};
    encode(static_cast<handle_t>(&pickle), object);
    Bytes data(pickle.data, pickle.data + pickle.size);
    std::free(pickle.data);
    return data;
}

// A type-serialisation envelope (docs/FORMAT.md): version 1, little-endian, an
// 8-byte common header with its filler, then the private header: the
// length of the data padded to 8 bytes, and a zero filler.
Bytes TypePickle(Bytes data) {
    data.resize((data.size() + 7) / 8 * 8);
    Bytes pickle = {0x01, 0x10, 0x08, 0x00, 0xCC, 0xCC, 0xCC, 0xCC};
    for (const UINT32 field : {static_cast<UINT32>(data.size()), 0u})
        for (int i = 0; i < 4; ++i) pickle.push_back(static_cast<UINT8>(field >> (8 * i)));
    pickle.insert(pickle.end(), data.begin(), data.end());
    return pickle;
}

// The registry value: the outer pickle (object type 5, the inner pickle, the
// object's security descriptor) around the inner one (the filter).
Bytes StoredValue(Filter& f) {
    f.filter.conditions.numFilterConditions = static_cast<UINT32>(f.conditions.size());
    f.filter.conditions.filterCondition = f.conditions.empty() ? nullptr : f.conditions.data();
    WFP_STORED_FILTER inner{&f.filter};
    Bytes pickle = TypePickle(Marshal(&inner, WFP_STORED_FILTER_Encode));
    WFP_STORED_OBJECT object{};
    object.objectType = 5;
    object.pickle = {static_cast<UINT32>(pickle.size()), pickle.data()};
    if (!f.securityDescriptor.empty())
        object.securityDescriptor = {static_cast<UINT32>(f.securityDescriptor.size()), f.securityDescriptor.data()};
    WFP_STORED_VALUE outer{&object};
    return TypePickle(Marshal(&outer, WFP_STORED_VALUE_Encode));
}

std::string GuidText(const GUID& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2, g.Data3,
                  g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

// A C++ string literal.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

std::vector<Filter> Filters() {
    std::vector<Filter> filters;

    // The EDR-silencing filter, as a plain filter to compare with real ones.
    {
        Filter f("plain-app-id-blob-uint64-weight", "{8A5D3F10-0001-4E5B-9C11-0A1B2C3D4E01}");
        f.filter.displayData = {Keep(std::wstring(L"Block agent"))->data(),
                                Keep(std::wstring(L"Blocks one program"))->data()};
        f.name = "Block agent";
        f.description = "Blocks one program";
        f.filter.layerKey = kConnectV4;
        f.layer = "ALE_AUTH_CONNECT_V4";
        f.filter.weight = Plain(U64(~0ull));
        f.weight = "0xFFFFFFFFFFFFFFFF";
        f.Condition(kAleAppId, kEqual, ByteBlob(Utf16(L"\\device\\harddiskvolume2\\program files\\agent\\agent.exe")),
                    "ALE_APP_ID=\\device\\harddiskvolume2\\program files\\agent\\agent.exe");
        f.filter.effectiveWeight = Plain(U64(0xFFFFFFFFFFFFFFFFull));
        f.effectiveWeight = "0xFFFFFFFFFFFFFFFF";
        filters.push_back(f);
    }
    // The reported failure: a security descriptor, then a string.
    {
        Filter f("sd-then-string", "{8A5D3F10-0002-4E5B-9C11-0A1B2C3D4E02}");
        f.filter.displayData.name = Keep(std::wstring(L"User and peer"))->data();
        f.name = "User and peer";
        f.filter.layerKey = kRecvAcceptV4;
        f.layer = "ALE_AUTH_RECV_ACCEPT_V4";
        f.filter.action.type = 0x1002;
        f.action = "permit";
        f.filter.weight = Plain(U8(9));
        f.weight = "9";
        f.Condition(kIpLocalPort, kEqual, U16(443), "IP_LOCAL_PORT=443");
        f.Condition(kAleUserId, kEqual, Sd(L"O:SYG:BAD:(A;;0x1;;;WD)"),
                    "ALE_USER_ID=sd:O:S-1-5-18G:S-1-5-32-544D:(A;;0x1;;;S-1-1-0)");
        f.Condition(kPeerName, kEqualCase, Text(L"server.example"), "PEER_NAME[=i]server.example");
        filters.push_back(f);
    }
    // As reported: seven conditions without pointees, the descriptor as
    // condition 8, the application's path (a byte blob) as condition 9.
    {
        Filter f("nine-conditions-sd-8-app-id-9", "{8A5D3F10-0003-4E5B-9C11-0A1B2C3D4E03}");
        f.filter.layerKey = kConnectV6;
        f.layer = "ALE_AUTH_CONNECT_V6";
        f.Condition(kIpProtocol, kEqual, U8(6), "IP_PROTOCOL=6");
        f.Condition(kIpRemotePort, kGreater, U16(1023), "IP_REMOTE_PORT>1023");
        f.Condition(kIpLocalPort, kLess, U16(5000), "IP_LOCAL_PORT<5000");
        f.Condition(kInterfaceIndex, kNotEqual, U32(12), "INTERFACE_INDEX!=12");
        f.Condition(kInterfaceType, kEqual, U32(6), "INTERFACE_TYPE=6");
        f.Condition(kFlags, kNoneSet, U32(0x40), "FLAGS[none-set]0x40");
        f.Condition(kCompartmentId, kEqual, U32(1), "COMPARTMENT_ID=1");
        f.Condition(kAleUserId, kEqual, Sd(L"O:BAG:SYD:(A;;0x3;;;BU)(D;;0x2;;;AN)"),
                    "ALE_USER_ID=sd:O:S-1-5-32-544G:S-1-5-18D:(A;;0x3;;;S-1-5-32-545)(D;;0x2;;;S-1-5-7)");
        f.Condition(kAleAppId, kEqual, ByteBlob(Utf16(L"\\device\\harddiskvolume3\\tools\\sensor.exe")),
                    "ALE_APP_ID=\\device\\harddiskvolume3\\tools\\sensor.exe");
        f.filter.effectiveWeight = Plain(U64(0x0123456789ABCDEFull));
        f.effectiveWeight = "0x0123456789ABCDEF";
        filters.push_back(f);
    }
    // A byte blob, then other pointer conditions.
    {
        Filter f("blob-then-sid-uint64-double", "{8A5D3F10-0004-4E5B-9C11-0A1B2C3D4E04}");
        f.filter.layerKey = kConnectV4;
        f.layer = "ALE_AUTH_CONNECT_V4";
        f.Condition(kAleAppId, kEqual, ByteBlob({0xDE, 0xAD, 0xBE, 0xEF, 0x01}), "ALE_APP_ID=0xDEADBEEF01");
        f.Condition(kAlePackageId, kEqual, SidValue(L"S-1-15-2-1-2-3-4-5-6-7"),
                    "ALE_PACKAGE_ID=S-1-15-2-1-2-3-4-5-6-7");
        f.Condition(kReserved0, kGreater, U64(0x1122334455667788ull), "RESERVED0>1234605616436508552");
        f.Condition(kReserved1, kLess, Double(-2.5), "RESERVED1<-2.5");
        f.Condition(kAleAppId, kEqual, ByteBlob(Utf16(L"System")), "ALE_APP_ID=System");
        filters.push_back(f);
    }
    // Ranges whose two values hold pointers, one of them two levels deep.
    {
        Filter f("ranges-of-pointers", "{8A5D3F10-0005-4E5B-9C11-0A1B2C3D4E05}");
        f.filter.layerKey = kConnectV6;
        f.layer = "ALE_AUTH_CONNECT_V6";
        f.Condition(kIpRemoteAddress, kRange,
                    Range(Array16(Ipv6({0xFE, 0x80})), Array16(Ipv6({0xFE, 0x80}, {0xFF, 0xFF, 0xFF, 0xFF}))),
                    "IP_REMOTE_ADDRESS[range]fe80::..fe80::ffff:ffff");
        f.Condition(kAleAppId, kRange, Range(ByteBlob({1, 2}), ByteBlob(Utf16(L"zz"))), "ALE_APP_ID[range]0x0102..zz");
        f.Condition(kReserved0, kRange, Range(U64(5), U64(1ull << 40)), "RESERVED0[range]5..1099511627776");
        f.Condition(kPeerName, kRange, Range(Text(L"a"), Text(L"m")), "PEER_NAME[range]a..m");
        f.Condition(kAlePackageId, kRange, Range(SidValue(L"S-1-5-18"), SidValue(L"S-1-5-20")),
                    "ALE_PACKAGE_ID[range]S-1-5-18..S-1-5-20");
        f.Condition(kIpLocalPort, kRange, Range(U16(80), U16(90)), "IP_LOCAL_PORT[range]80..90");
        f.Condition(kAleUserId, kRange, Range(Sd(L"O:SY"), Token({L"S-1-5-32-544", nullptr}, {L"S-1-5-12"})),
                    "ALE_USER_ID[range]sd:O:S-1-5-18..token:sids=S-1-5-32-544,null;restricted=S-1-5-12");
        f.Condition(kAleAppId, kEqual, ByteBlob(Utf16(L"\\device\\x.exe")), "ALE_APP_ID=\\device\\x.exe");
        filters.push_back(f);
    }
    // Token information (a null SID among them), token access information.
    {
        Filter f("token-information-and-access", "{8A5D3F10-0006-4E5B-9C11-0A1B2C3D4E06}");
        f.filter.layerKey = kRecvAcceptV4;
        f.layer = "ALE_AUTH_RECV_ACCEPT_V4";
        f.Condition(kClientToken, kEqual, Token({L"S-1-5-18", nullptr, L"S-1-5-21-1-2-3-500"}, {L"S-1-5-12"}),
                    "CLIENT_TOKEN=token:sids=S-1-5-18,null,S-1-5-21-1-2-3-500;restricted=S-1-5-12");
        f.Condition(kRemoteUserToken, kEqual, TokenAccess({0x10, 0x20, 0x30}), "REMOTE_USER_TOKEN=0x102030");
        f.Condition(kClientToken, kEqual, Token({}, {}), "CLIENT_TOKEN=token:sids=;restricted=");
        f.Condition(kPeerName, kEqual, Text(L"after the tokens"), "PEER_NAME=after the tokens");
        f.Condition(kAleEffectiveName, kPrefix, Text(L"svc-"), "ALE_EFFECTIVE_NAME[prefix]svc-");
        filters.push_back(f);
    }
    // The values that sit in the union's arm, and 64-bit numbers.
    {
        Filter f("inline-numbers-and-64-bit", "{8A5D3F10-0007-4E5B-9C11-0A1B2C3D4E07}");
        f.filter.layerKey = kConnectV4;
        f.layer = "ALE_AUTH_CONNECT_V4";
        f.Condition(kFlags, kAnySet, U8(0x81), "FLAGS[any-set]0x81");
        f.Condition(kIpLocalPort, kEqual, U16(65535), "IP_LOCAL_PORT=65535");
        f.Condition(kIpLocalAddressV4, kEqual, U32(0xC0A80001), "IP_LOCAL_ADDRESS_V4=192.168.0.1");
        f.Condition(kReserved0, kEqual, I8(-5), "RESERVED0=-5");
        f.Condition(kReserved0, kEqual, I16(-300), "RESERVED0=-300");
        f.Condition(kReserved0, kEqual, I32(-70000), "RESERVED0=-70000");
        f.Condition(kReserved1, kGreater, Float(1.5f), "RESERVED1>1.5");
        f.Condition(kReserved1, kEqual, BitmapIndex(42), "RESERVED1=42");
        f.Condition(kReserved1, kEqual, Empty(), "RESERVED1=empty");
        f.Condition(kFlags, kAllSet, U64(0x8000000000000001ull), "FLAGS[all-set]0x8000000000000001");
        f.Condition(kReserved0, kLess, I64(-5000000000ll), "RESERVED0<-5000000000");
        f.Condition(kReserved1, kEqual, Double(0.1), "RESERVED1=0.10000000000000001");
        f.Condition(kIpProtocol, kEqual, U8(17), "IP_PROTOCOL=17");
        filters.push_back(f);
    }
    // Byte arrays and masks, whose pointees have no alignment: one follows a
    // range ending in a UINT16 arm, the first follows the UINT8 arm that ends
    // the condition array.
    {
        Filter f("byte-arrays-masks-after-short-arms", "{8A5D3F10-0008-4E5B-9C11-0A1B2C3D4E08}");
        f.filter.layerKey = kConnectV6;
        f.layer = "ALE_AUTH_CONNECT_V6";
        f.Condition(kIpLocalAddressV6, kEqual, Array16(Ipv6({0x20, 0x01, 0x0D, 0xB8}, {0x01})),
                    "IP_LOCAL_ADDRESS_V6=2001:db8::1");
        f.Condition(kIpsecPolicyKey, kEqual, Array16({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}),
                    "IPSEC_POLICY_KEY=0x000102030405060708090A0B0C0D0E0F");
        f.Condition(kIpLocalPort, kRange, Range(U16(1000), U16(2000)), "IP_LOCAL_PORT[range]1000..2000");
        f.Condition(kMacLocalAddress, kEqual, Array6({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}),
                    "MAC_LOCAL_ADDRESS=00-1A-2B-3C-4D-5E");
        f.Condition(kL2Flags, kEqual, Bitmap64({1, 0, 0, 0, 0, 0, 0, 0x80}), "L2_FLAGS=0x0100000000000080");
        f.Condition(kIpRemoteAddress, kEqual, V4Mask(0x0A000000, 0xFF000000), "IP_REMOTE_ADDRESS=10.0.0.0/255.0.0.0");
        f.Condition(kIpRemoteAddress, kEqual, V6Mask(Ipv6({0xFD, 0x00}), 8), "IP_REMOTE_ADDRESS=fd00::/8");
        f.Condition(kIpProtocol, kEqual, U8(58), "IP_PROTOCOL=58");
        filters.push_back(f);
    }
    // A provider with its data and context, a callout action, a UINT8 weight.
    {
        Filter f("provider-data-context-callout", "{8A5D3F10-0009-4E5B-9C11-0A1B2C3D4E09}");
        f.filter.displayData = {Keep(std::wstring(L"Inspect"))->data(), Keep(std::wstring(L""))->data()};
        f.name = "Inspect";
        f.description = "";
        f.filter.flags = 1 | 4 | 0x40;
        static GUID provider = MakeGuid("{5A1E0F2B-3C4D-4E5F-8A9B-0C1D2E3F4A5B}");
        f.filter.providerKey = &provider;
        f.providerKey = "{5A1E0F2B-3C4D-4E5F-8A9B-0C1D2E3F4A5B}";
        static UINT8 data[] = {0xCA, 0xFE, 0x00, 0x01, 0x02};
        f.filter.providerData = {sizeof data, data};
        f.providerData = "0xCAFE000102";
        f.filter.layerKey = kConnectV4;
        f.layer = "ALE_AUTH_CONNECT_V4";
        f.filter.weight = Plain(U8(15));
        f.weight = "15";
        f.filter.action.type = 0x5003;
        f.filter.action.calloutKey = MakeGuid("{77E4D6A1-2B3C-4D5E-9F60-718293A4B5C6}");
        f.action = "callout-terminating";
        f.actionKey = "{77E4D6A1-2B3C-4D5E-9F60-718293A4B5C6}";
        f.filter.providerContextKey = MakeGuid("{0C0FFEE0-1111-2222-3333-444455556666}");
        f.context = "{0C0FFEE0-1111-2222-3333-444455556666}";
        static GUID reserved = MakeGuid("{99999999-8888-7777-6666-555544443333}");
        f.filter.reserved = &reserved;
        f.reserved = "{99999999-8888-7777-6666-555544443333}";
        f.filter.filterId.value = 0x10001;
        f.filter.effectiveWeight = Plain(U8(200));
        f.effectiveWeight = "200";
        f.Condition(kAleAppId, kEqual, ByteBlob(Utf16(L"\\device\\harddiskvolume1\\windows\\system32\\svchost.exe")),
                    "ALE_APP_ID=\\device\\harddiskvolume1\\windows\\system32\\svchost.exe");
        f.securityDescriptor = Descriptor(L"O:SYG:SYD:(A;;0x1;;;BA)");
        f.securityDescriptorText = "O:S-1-5-18G:S-1-5-18D:(A;;0x1;;;S-1-5-32-544)";
        filters.push_back(f);
    }
    // Nothing pointed to: no names, no conditions, empty weights, a raw
    // context, the object's own security descriptor in the outer pickle.
    {
        Filter f("no-names-no-conditions-empty-weights", "{8A5D3F10-000A-4E5B-9C11-0A1B2C3D4E0A}");
        f.filter.layerKey = kConnectV4;
        f.layer = "ALE_AUTH_CONNECT_V4";
        f.filter.flags = 1 | 2 | 0x20;
        f.filter.rawContext = 0x1122334455667788ull;
        f.context = "raw:0x1122334455667788";
        f.filter.filterId.value = 123456789012ull;
        f.filter.action.type = 0x1002;
        f.filter.action.filterType = MakeGuid("{ABCDEF01-2345-6789-ABCD-EF0123456789}");
        f.action = "permit";
        f.actionKey = "{ABCDEF01-2345-6789-ABCD-EF0123456789}";
        f.conditionsText = "-";
        f.securityDescriptor = Descriptor(L"O:BAG:BAD:(A;;0xF;;;SY)");
        f.securityDescriptorText = "O:S-1-5-32-544G:S-1-5-32-544D:(A;;0xF;;;S-1-5-18)";
        filters.push_back(f);
    }
    // Pointer arms left null, empty blobs and strings.
    {
        Filter f("null-and-empty-pointees", "{8A5D3F10-000B-4E5B-9C11-0A1B2C3D4E0B}");
        f.filter.displayData.description = Keep(std::wstring(L"only a description"))->data();
        f.description = "only a description";
        f.filter.layerKey = kRecvAcceptV4;
        f.layer = "ALE_AUTH_RECV_ACCEPT_V4";
        f.filter.weight = Plain(Null(FWP_UINT64));
        f.weight = "null";
        f.Condition(kAleAppId, kEqual, Null(FWP_BYTE_BLOB_TYPE), "ALE_APP_ID=null");
        f.Condition(kAleAppId, kEqual, With(FWP_BYTE_BLOB_TYPE, &Value::byteBlob, Keep(FWP_BYTE_BLOB{0, nullptr})),
                    "ALE_APP_ID=0x");
        f.Condition(kAleAppId, kEqual, ByteBlob({}), "ALE_APP_ID=0x");
        f.Condition(kPeerName, kEqual, Null(FWP_UNICODE_STRING_TYPE), "PEER_NAME=null");
        f.Condition(kPeerName, kEqual, Text(L""), "PEER_NAME=");
        f.Condition(kAlePackageId, kEqual, Null(FWP_SID), "ALE_PACKAGE_ID=null");
        f.Condition(kIpRemoteAddress, kRange, Null(FWP_RANGE_TYPE), "IP_REMOTE_ADDRESS[range]null");
        f.Condition(kIpRemoteAddress, kRange, Range(Null(FWP_BYTE_ARRAY16_TYPE), Array16(Ipv6({0xFF}))),
                    "IP_REMOTE_ADDRESS[range]null..ff00::");
        f.Condition(kAleAppId, kEqual, ByteBlob(Utf16(L"last")), "ALE_APP_ID=last");
        filters.push_back(f);
    }
    // Pointees of the weights, whose own pointees come before the conditions'.
    {
        Filter f("weights-with-pointees", "{8A5D3F10-000C-4E5B-9C11-0A1B2C3D4E0C}");
        f.filter.displayData.name = Keep(std::wstring(L"Weighed"))->data();
        f.name = "Weighed";
        f.filter.layerKey = kConnectV4;
        f.layer = "ALE_AUTH_CONNECT_V4";
        f.filter.weight = Plain(ByteBlob({0xAA, 0xBB, 0xCC}));
        f.weight = "0xAABBCC";
        f.filter.effectiveWeight = Plain(Text(L"heavy"));
        f.effectiveWeight = "heavy";
        f.Condition(kAleUserId, kEqual, Sd(L"D:(A;;0x1;;;WD)"), "ALE_USER_ID=sd:D:(A;;0x1;;;S-1-1-0)");
        f.Condition(kAleAppId, kEqual, ByteBlob(Utf16(L"x")), "ALE_APP_ID=x");
        filters.push_back(f);
    }
    // Every pointer kind once in a row, so each is followed by another.
    {
        Filter f("every-pointer-arm-in-a-row", "{8A5D3F10-000D-4E5B-9C11-0A1B2C3D4E0D}");
        f.filter.layerKey = kRecvAcceptV4;
        f.layer = "ALE_AUTH_RECV_ACCEPT_V4";
        f.filter.weight = Plain(U64(1));
        f.weight = "0x0000000000000001";
        f.Condition(kReserved0, kEqual, U64(7), "RESERVED0=7");
        f.Condition(kAleUserId, kEqual, Sd(L"O:WD"), "ALE_USER_ID=sd:O:S-1-1-0");
        f.Condition(kRemoteUserToken, kEqual, TokenAccess({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07}),
                    "REMOTE_USER_TOKEN=0x01020304050607");
        f.Condition(kAleAppId, kEqual, ByteBlob({0x61}), "ALE_APP_ID=0x61");
        f.Condition(kClientToken, kEqual, Token({L"S-1-1-0"}, {}), "CLIENT_TOKEN=token:sids=S-1-1-0;restricted=");
        f.Condition(kAlePackageId, kEqual, SidValue(L"S-1-5-32-545"), "ALE_PACKAGE_ID=S-1-5-32-545");
        f.Condition(kPeerName, kEqual, Text(L"odd"), "PEER_NAME=odd");
        f.Condition(kMacLocalAddress, kEqual, Array6({1, 2, 3, 4, 5, 6}), "MAC_LOCAL_ADDRESS=01-02-03-04-05-06");
        f.Condition(kReserved1, kEqual, I64(-1), "RESERVED1=-1");
        f.Condition(kL2Flags, kEqual, Bitmap64({0xFF, 0, 0, 0, 0, 0, 0, 0}), "L2_FLAGS=0xFF00000000000000");
        f.Condition(kIpRemoteAddress, kEqual, V6Mask(Ipv6({0x20, 0x01, 0x0D, 0xB8}), 32),
                    "IP_REMOTE_ADDRESS=2001:db8::/32");
        f.Condition(kIpRemoteAddress, kEqual, V4Mask(0xC0A80000, 0xFFFF0000),
                    "IP_REMOTE_ADDRESS=192.168.0.0/255.255.0.0");
        f.Condition(kReserved1, kEqual, Double(3.0), "RESERVED1=3");
        f.Condition(kIpsecPolicyKey, kEqual, Array16(Bytes(16, 0xEE)),
                    "IPSEC_POLICY_KEY=0xEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEE");
        f.Condition(kAleUserId, kEqual, Sd(L"G:SY"), "ALE_USER_ID=sd:G:S-1-5-18");
        filters.push_back(f);
    }
    return filters;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pickle_filters OUTPUT_FOLDER\n");
        return 2;
    }
    for (Filter& f : Filters()) {
        const Bytes value = StoredValue(f);
        const std::string path = std::string(argv[1]) + "/" + f.file + ".bin";
        FILE* out = std::fopen(path.c_str(), "wb");
        if (!out || std::fwrite(value.data(), 1, value.size(), out) != value.size() || std::fclose(out) != 0) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        // The row: the fields in the table's order, those at the end that
        // keep the table's defaults left out.
        char flags[16], filterId[24];
        std::snprintf(flags, sizeof flags, "0x%X", static_cast<unsigned>(f.filter.flags));
        std::snprintf(filterId, sizeof filterId, "%llu", static_cast<unsigned long long>(f.filter.filterId.value));
        const std::vector<std::pair<std::string, std::string>> fields = {
            {Quoted(f.file), ""},
            {Quoted(GuidText(f.filter.filterKey)), ""},
            {Quoted(f.layer), ""},
            {Quoted(f.conditionsText), ""},
            {Quoted(f.name), Quoted("(absent)")},
            {Quoted(f.description), Quoted("(absent)")},
            {flags, "0x1"},
            {Quoted(f.weight), Quoted("-")},
            {Quoted(f.effectiveWeight), Quoted("-")},
            {Quoted(f.action), Quoted("block")},
            {Quoted(f.actionKey), Quoted("{00000000-0000-0000-0000-000000000000}")},
            {Quoted(f.providerKey), Quoted("-")},
            {Quoted(f.providerData), Quoted("(absent)")},
            {Quoted(f.context), Quoted("raw:0x0000000000000000")},
            {Quoted(f.reserved), Quoted("-")},
            {filterId, "0"},
            {Quoted(f.securityDescriptorText), Quoted("-")},
        };
        std::size_t count = fields.size();
        while (fields[count - 1].first == fields[count - 1].second) --count;
        std::string row;
        for (std::size_t i = 0; i < count; ++i) row += (i ? ", " : "{") + fields[i].first;
        std::printf("%s},\n", row.c_str());
    }
    return 0;
}

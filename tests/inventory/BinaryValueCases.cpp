#include <cstdio>
#include <cstring>

#include "FuzzSeeds.h"
#include "Hex.h"
#include "InventoryCases.h"
#include "RegText.h"
#include "WfpBlobBuilder.h"

namespace inventory::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr char kProvider[] = "{A0000000-0000-0000-0000-000000000001}";
constexpr char kImpostor[] = "{A0000000-0000-0000-0000-0000000000F0}";  // calls itself Microsoft Corporation
constexpr char kNotPersistent[] = "{B0000000-0000-0000-0000-000000000002}";
constexpr char kWindowsFirewall[] = "{DECC16CA-3F33-4346-BE1E-8FB4AE0F3D62}";
constexpr char kConnectV4[] = "{C38D57D1-05A7-4C33-904F-7FBCEEE60E82}";
constexpr char kAgent[] = "\\device\\harddiskvolume2\\program files\\edr\\agent.exe";

// A REG_BINARY value as registry text.
std::string Binary(const std::string& name, const Bytes& bytes) {
    return name + "=hex:" + HexText(bytes).substr(2) + "\n";
}

template <typename Record>
std::string Persistent(const char* kind, const Record& record, Bytes (*encode)(const Record&)) {
    return std::string("[ControlSet001\\Services\\BFE\\Parameters\\Policy\\Persistent\\") + kind + "]\n" +
           Binary(record.key.Text(), encode(record));
}

template <typename Record>
Record Named(const char* key, const char* name) {
    Record record;
    record.key = ParseGuid(key);
    if (name) record.name = name;
    return record;
}

// A persistent filter, on one program when app is given.
WfpFilter Filter(int number, const char* provider, const char* layer, std::uint32_t action, const char* name,
                 const char* app) {
    char key[40];
    std::snprintf(key, sizeof key, "{F0000000-0000-0000-0000-%012d}", number);
    WfpFilter filter = Named<WfpFilter>(key, name);
    if (provider) filter.providerKey = ParseGuid(provider);
    filter.layerKey = ParseGuid(layer);
    filter.actionType = action;
    if (app)  // ALE_APP_ID
        filter.conditions = {{ParseGuid("{D78E1E87-8644-4EA5-9437-D809ECEFC971}"), 0,
                              WfpValues::Data(kWfpByteBlob, tools::Utf16Bytes(app))}};
    filter.flags = 1;
    return filter;
}

}  // namespace

std::string WfpObjectKeys() {
    auto acme = Named<WfpProvider>(kProvider, "Acme Firewall");
    acme.description = "Acme packet filter";
    acme.serviceName = "AcmeSvc";
    auto firewall = Named<WfpProvider>(kWindowsFirewall, "@FirewallAPI.dll,-23501");
    firewall.serviceName = "mpssvc";
    WfpSublayer sublayer;
    sublayer.key = MakeGuid(0x51);
    sublayer.providerKey = acme.key;
    auto connect = Named<WfpCallout>("{C0000000-0000-0000-0000-000000000001}", "Acme connect");
    connect.providerKey = acme.key;
    connect.calloutId = 300;
    connect.applicableLayer = ParseGuid(kConnectV4);
    auto flow = Named<WfpCallout>("{C0000000-0000-0000-0000-000000000002}", nullptr);
    flow.calloutId = 301;
    flow.applicableLayer = ParseGuid("{AF80470A-5596-4C13-9992-539E6FE57967}");  // ALE_FLOW_ESTABLISHED_V4

    WfpFilter filters[] = {
        Filter(1, kWindowsFirewall, kConnectV4, 0x1001, "Windows rule",
               "\\device\\harddiskvolume1\\windows\\system32\\svchost.exe"),
        Filter(2, nullptr, kConnectV4, 0x1001, "Block agent", kAgent),
        // ALE_AUTH_RECV_ACCEPT_V6
        Filter(3, kImpostor, "{A3B42C97-9F04-4672-B87E-CEE9C483257F}", 0x1001, nullptr, kAgent),
        Filter(4, nullptr, kConnectV4, 0x1002, "Allow agent", kAgent),
        Filter(5, kProvider, kConnectV4, 0x1001, "Acme port rule", nullptr),
        // ALE_RESOURCE_ASSIGNMENT_V4, OUTBOUND_TRANSPORT_V4
        Filter(6, nullptr, "{1247D66D-0B60-4A15-8D44-7155D0F53A0C}", 0x1001, "Bind rule", kAgent),
        Filter(7, kNotPersistent, "{09E61AEA-D214-46E2-9B21-B26B0B2F28C8}", 0x6004, nullptr, nullptr),
    };
    filters[2].weight = WfpValues::Unsigned(kWfpUint64, ~0ull);
    filters[4].weight = WfpValues::Unsigned(kWfpUint8, 5);
    filters[4].conditions = {{ParseGuid("{C35A604D-D22B-4E1A-91B4-68F674EE674B}"), 0,  // IP_REMOTE_PORT
                              WfpValues::Unsigned(kWfpUint16, 443)}};

    std::string keys =
        Persistent("Provider", acme, EncodeWfpProvider) + Persistent("Provider", firewall, EncodeWfpProvider) +
        Persistent("Provider", Named<WfpProvider>(kImpostor, "Microsoft Corporation"), EncodeWfpProvider) +
        Persistent("SubLayer", sublayer, EncodeWfpSublayer) + Persistent("Callout", flow, EncodeWfpCallout) +
        Persistent("Callout", connect, EncodeWfpCallout);
    // Stored out of order: the blocks sort them.
    for (auto filter = std::rbegin(filters); filter != std::rend(filters); ++filter)
        keys += Persistent("Filter", *filter, EncodeWfpFilter);
    return keys;
}

namespace {

// A PackedCatalogItem laid out at docs/FORMAT.md's offsets.
std::string CatalogItem(const std::string& dll, std::int32_t chainLength, std::vector<std::int32_t> chain,
                        std::uint32_t id, std::int32_t family, const std::string& protocol) {
    Bytes item(888);
    const auto put32 = [&item](std::size_t at, std::int64_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        std::memcpy(&item[at], &bits, 4);
    };
    std::memcpy(&item[0], dll.data(), dll.size());
    std::memcpy(&item[dll.size() + 1], "stale.dll", 9);
    for (int i = 0; i < 16; ++i) item[280 + i] = static_cast<std::uint8_t>(0x10 + i);
    put32(296, id);
    put32(300, chainLength);
    for (std::size_t i = 0; i < chain.size(); ++i) put32(304 + 4 * i, chain[i]);
    put32(336, family);
    put32(348, 1);
    put32(352, 6);
    for (std::size_t i = 0; i < protocol.size(); ++i) item[376 + 2 * i] = static_cast<std::uint8_t>(protocol[i]);
    KeepAsFuzzSeed("catalog_entry", item);
    return Binary("PackedCatalogItem", item);
}

}  // namespace

std::string WinsockCatalogKeys() {
    const std::string at = "[ControlSet001\\Services\\WinSock2\\Parameters\\Protocol_Catalog9\\Catalog_Entries";
    const std::string mswsock = "%SystemRoot%\\system32\\mswsock.dll";
    return at + "\\000000000001]\n" + CatalogItem(mswsock, 1, {}, 1001, 2, "MSAFD Tcpip [TCP/IP]") + at +
           "\\000000000002]\n" + CatalogItem("C:\\Program Files\\Acm\xE9\\acmelsp.dll", 0, {}, 1002, 2, "Acme LSP") +
           at + "\\000000000003]\n" + CatalogItem(mswsock, 2, {1002, 1001}, 1003, 2, "Acme over Tcpip") + at +
           "64\\000000000001]\n" + CatalogItem(mswsock, 8, {}, 1004, -1, "") + at +
           "64\\000000000002]\nDisplayString=sz:no item\n" + at + "64\\000000000003]\n" +
           CatalogItem(mswsock, 7, {1, 2, 3, 4, 5, 6, 7}, 1005, 23, "Longest chain") + at + "64\\000000000004]\n" +
           CatalogItem(mswsock, -1, {}, 1006, 2, "") + at + "64\\000000000005]\n" +
           Binary("PackedCatalogItem", Bytes(887));
}

std::vector<InventoryCase> BinaryValueCases() {
    return {
        {"winsock-protocols: base, layered and chained providers, chains of 7, 8 and -1, entries without a whole item",
         WinsockCatalogKeys(), "winsock-protocols",
         Lines(R"([winsock-protocols] n=6
wsp|os|32|000000000001|1001|base|-|{13121110-1514-1716-1819-1A1B1C1D1E1F}|2/1/6|%SystemRoot%\system32\mswsock.dll|MSAFD Tcpip [TCP/IP])") +
             // The DLL path is ANSI in the item: the line has it in UTF-8.
             Lines("wsp|3p|32|000000000002|1002|lsp|-|{13121110-1514-1716-1819-1A1B1C1D1E1F}|2/1/6|"
                   "C:\\Program Files\\Acm\xC3\xA9\\acmelsp.dll|Acme LSP") +
             Lines(
                 R"(wsp|os|32|000000000003|1003|chain|1002,1001|{13121110-1514-1716-1819-1A1B1C1D1E1F}|2/1/6|%SystemRoot%\system32\mswsock.dll|Acme over Tcpip
wsp|os|64|000000000001|1004|bad|-|{13121110-1514-1716-1819-1A1B1C1D1E1F}|-1/1/6|%SystemRoot%\system32\mswsock.dll|
wsp|os|64|000000000003|1005|chain|1,2,3,4,5,6,7|{13121110-1514-1716-1819-1A1B1C1D1E1F}|23/1/6|%SystemRoot%\system32\mswsock.dll|Longest chain
wsp|os|64|000000000004|1006|bad|-|{13121110-1514-1716-1819-1A1B1C1D1E1F}|2/1/6|%SystemRoot%\system32\mswsock.dll|
error|Services\WinSock2\Parameters\Protocol_Catalog9\Catalog_Entries64\000000000002|no PackedCatalogItem (REG_BINARY)
error|Services\WinSock2\Parameters\Protocol_Catalog9\Catalog_Entries64\000000000005|catalog entry: 887 bytes, shorter than the 888 of a PackedCatalogItem)")},

        {"wfp-providers: persistent, named only, and none, with what each owns",
         WfpObjectKeys() + "[ControlSet001\\Services\\BFE\\Parameters\\Policy\\Persistent\\Filter]\n"
                           "{f0000000-0000-0000-0000-000000000009}=sz:not a filter\n"
                           "[ControlSet001\\Services\\BFE\\Parameters\\Policy\\BootTime\\Filter]\n"
                           "{E0000000-0000-0000-0000-000000000001}=hex:01,02\n"
                           "{E0000000-0000-0000-0000-000000000002}=hex:03\n",
         "wfp-providers", Lines(R"([wfp-providers] n=5
wfpprov|3p|{A0000000-0000-0000-0000-000000000001}|AcmeSvc|Acme Firewall|Acme packet filter|sublayers=1|callouts=1|filters=1
wfpprov|3p|{A0000000-0000-0000-0000-0000000000F0}|(absent)|Microsoft Corporation|(absent)|sublayers=0|callouts=0|filters=1
wfpprov|?|{B0000000-0000-0000-0000-000000000002}|(absent)|(not persistent)|(absent)|sublayers=0|callouts=0|filters=1
wfpprov|os|{DECC16CA-3F33-4346-BE1E-8FB4AE0F3D62}|mpssvc|@FirewallAPI.dll,-23501|(absent)|sublayers=0|callouts=0|filters=1
wfpprov|?|(none)|-|-|-|sublayers=0|callouts=1|filters=3
error|Services\BFE\Parameters\Policy\Persistent\Filter\{f0000000-0000-0000-0000-000000000009}|not a REG_BINARY value)")},

        {"wfp-callouts: marked by their provider", "", "wfp-callouts", Lines(R"([wfp-callouts] n=2
wfpcall|3p|{C0000000-0000-0000-0000-000000000001}|{A0000000-0000-0000-0000-000000000001}|300|{C38D57D1-05A7-4C33-904F-7FBCEEE60E82}|Acme connect
wfpcall|?|{C0000000-0000-0000-0000-000000000002}|-|301|{AF80470A-5596-4C13-9992-539E6FE57967}|(absent))")},

        {"wfp-filters: layer, action, weight and conditions; one that does not decode", "", "wfp-filters",
         Lines(R"([wfp-filters] n=7
note|BootTime\Filter holds 2 boot-time filters in the kernel's form, not decoded
wfpfilt|os|{F0000000-0000-0000-0000-000000000001}|{DECC16CA-3F33-4346-BE1E-8FB4AE0F3D62}|ALE_AUTH_CONNECT_V4|block|-|Windows rule|ALE_APP_ID=\device\harddiskvolume1\windows\system32\svchost.exe
wfpfilt|?|{F0000000-0000-0000-0000-000000000002}|-|ALE_AUTH_CONNECT_V4|block|-|Block agent|ALE_APP_ID=\device\harddiskvolume2\program files\edr\agent.exe
wfpfilt|3p|{F0000000-0000-0000-0000-000000000003}|{A0000000-0000-0000-0000-0000000000F0}|ALE_AUTH_RECV_ACCEPT_V6|block|0xFFFFFFFFFFFFFFFF|(absent)|ALE_APP_ID=\device\harddiskvolume2\program files\edr\agent.exe
wfpfilt|?|{F0000000-0000-0000-0000-000000000004}|-|ALE_AUTH_CONNECT_V4|permit|-|Allow agent|ALE_APP_ID=\device\harddiskvolume2\program files\edr\agent.exe
wfpfilt|3p|{F0000000-0000-0000-0000-000000000005}|{A0000000-0000-0000-0000-000000000001}|ALE_AUTH_CONNECT_V4|block|5|Acme port rule|IP_REMOTE_PORT=443
wfpfilt|?|{F0000000-0000-0000-0000-000000000006}|-|ALE_RESOURCE_ASSIGNMENT_V4|block|-|Bind rule|ALE_APP_ID=\device\harddiskvolume2\program files\edr\agent.exe
wfpfilt|?|{F0000000-0000-0000-0000-000000000007}|{B0000000-0000-0000-0000-000000000002}|OUTBOUND_TRANSPORT_V4|callout-inspection|-|(absent)|-
error|Services\BFE\Parameters\Policy\Persistent\Filter\{f0000000-0000-0000-0000-000000000009}|not a REG_BINARY value)")},

        {"wfp-suspicious: both forms of silencing, and none of the filters that only look alike", "", "wfp-suspicious",
         Lines(R"([wfp-suspicious] n=2
wfpsusp|?|{F0000000-0000-0000-0000-000000000002}|-|ALE_AUTH_CONNECT_V4|block|-|Block agent|ALE_APP_ID=\device\harddiskvolume2\program files\edr\agent.exe
wfpsusp|3p|{F0000000-0000-0000-0000-000000000003}|{A0000000-0000-0000-0000-0000000000F0}|ALE_AUTH_RECV_ACCEPT_V6|block|0xFFFFFFFFFFFFFFFF|(absent)|ALE_APP_ID=\device\harddiskvolume2\program files\edr\agent.exe
error|Services\BFE\Parameters\Policy\Persistent\Filter\{f0000000-0000-0000-0000-000000000009}|not a REG_BINARY value)")},
    };
}

}  // namespace inventory::test

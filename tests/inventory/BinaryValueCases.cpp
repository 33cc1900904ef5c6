#include <cstdio>
#include <cstring>

#include "FuzzSeeds.h"
#include "InventoryCases.h"
#include "WfpBlobBuilder.h"

namespace inventory::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
using V = WfpValues;

constexpr char kProvider[] = "{A0000000-0000-0000-0000-000000000001}";
constexpr char kImpostor[] = "{A0000000-0000-0000-0000-0000000000F0}";  // calls itself Microsoft Corporation
constexpr char kNotPersistent[] = "{B0000000-0000-0000-0000-000000000002}";
constexpr char kWindowsFirewall[] = "{DECC16CA-3F33-4346-BE1E-8FB4AE0F3D62}";
constexpr char kConnectV4[] = "{C38D57D1-05A7-4C33-904F-7FBCEEE60E82}";
constexpr char kRecvAcceptV6[] = "{A3B42C97-9F04-4672-B87E-CEE9C483257F}";
constexpr char kBindV4[] = "{1247D66D-0B60-4A15-8D44-7155D0F53A0C}";  // ALE_RESOURCE_ASSIGNMENT_V4
constexpr char kOutboundTransportV4[] = "{09E61AEA-D214-46E2-9B21-B26B0B2F28C8}";
constexpr char kFlowEstablishedV4[] = "{AF80470A-5596-4C13-9992-539E6FE57967}";
constexpr char kAppId[] = "{D78E1E87-8644-4EA5-9437-D809ECEFC971}";
constexpr char kRemotePort[] = "{C35A604D-D22B-4E1A-91B4-68F674EE674B}";
constexpr char kAgent[] = "\\device\\harddiskvolume2\\program files\\edr\\agent.exe";

std::string Hex(const Bytes& bytes) {
    std::string hex;
    for (const std::uint8_t byte : bytes) {
        char two[4];
        std::snprintf(two, sizeof two, "%s%02x", hex.empty() ? "" : ",", byte);
        hex += two;
    }
    return hex;
}

std::string Persistent(const char* kind, const std::string& key, const Bytes& blob) {
    return std::string("[ControlSet001\\Services\\BFE\\Parameters\\Policy\\Persistent\\") + kind + "]\n" + key +
           "=hex:" + Hex(blob) + "\n";
}

WfpValue ApplicationId(const std::string& path) {
    return V::Data(kWfpByteBlob, Utf16Bytes(path + '\0'));
}

WfpFilter Filter(int number, const char* provider, const char* layer, std::uint32_t action, const char* name,
                 std::vector<WfpCondition> conditions) {
    WfpFilter filter;
    char key[40];
    std::snprintf(key, sizeof key, "{F0000000-0000-0000-0000-%012d}", number);
    filter.key = ParseGuid(key);
    if (provider) filter.providerKey = ParseGuid(provider);
    filter.layerKey = ParseGuid(layer);
    filter.actionType = action;
    if (name) filter.name = name;
    filter.conditions = std::move(conditions);
    filter.flags = 1;
    return filter;
}

}  // namespace

std::string WfpObjectKeys() {
    WfpProvider acme;
    acme.key = ParseGuid(kProvider);
    acme.name = "Acme Firewall";
    acme.description = "Acme packet filter";
    acme.serviceName = "AcmeSvc";
    WfpProvider firewall;
    firewall.key = ParseGuid(kWindowsFirewall);
    firewall.name = "@FirewallAPI.dll,-23501";
    firewall.serviceName = "mpssvc";
    WfpProvider impostor;
    impostor.key = ParseGuid(kImpostor);
    impostor.name = "Microsoft Corporation";
    WfpSublayer sublayer;
    sublayer.key = MakeGuid(0x51);
    sublayer.providerKey = acme.key;
    WfpCallout connect, flow;
    connect.key = ParseGuid("{C0000000-0000-0000-0000-000000000001}");
    connect.providerKey = acme.key;
    connect.calloutId = 300;
    connect.applicableLayer = ParseGuid(kConnectV4);
    connect.name = "Acme connect";
    flow.key = ParseGuid("{C0000000-0000-0000-0000-000000000002}");
    flow.calloutId = 301;
    flow.applicableLayer = ParseGuid(kFlowEstablishedV4);

    const WfpCondition agent{ParseGuid(kAppId), 0, ApplicationId(kAgent)};
    const WfpCondition svchost{ParseGuid(kAppId), 0,
                               ApplicationId("\\device\\harddiskvolume1\\windows\\system32\\svchost.exe")};
    WfpFilter silencerWithProvider = Filter(3, kImpostor, kRecvAcceptV6, 0x1001, nullptr, {agent});
    silencerWithProvider.weight = V::Unsigned(kWfpUint64, ~0ull);
    WfpFilter portRule = Filter(5, kProvider, kConnectV4, 0x1001, "Acme port rule",
                                {{ParseGuid(kRemotePort), 0, V::Unsigned(kWfpUint16, 443)}});
    portRule.weight = V::Unsigned(kWfpUint8, 5);
    const WfpFilter filters[] = {
        Filter(1, kWindowsFirewall, kConnectV4, 0x1001, "Windows rule", {svchost}),
        Filter(2, nullptr, kConnectV4, 0x1001, "Block agent", {agent}),
        silencerWithProvider,
        Filter(4, nullptr, kConnectV4, 0x1002, "Allow agent", {agent}),
        portRule,
        Filter(6, nullptr, kBindV4, 0x1001, "Bind rule", {agent}),
        Filter(7, kNotPersistent, kOutboundTransportV4, 0x6004, nullptr, {}),
    };

    std::string keys = Persistent("Provider", acme.key.Text(), EncodeWfpProvider(acme)) +
                       Persistent("Provider", firewall.key.Text(), EncodeWfpProvider(firewall)) +
                       Persistent("Provider", impostor.key.Text(), EncodeWfpProvider(impostor)) +
                       Persistent("SubLayer", sublayer.key.Text(), EncodeWfpSublayer(sublayer)) +
                       Persistent("Callout", flow.key.Text(), EncodeWfpCallout(flow)) +
                       Persistent("Callout", connect.key.Text(), EncodeWfpCallout(connect));
    // Stored out of order: the blocks sort them.
    for (auto filter = std::rbegin(filters); filter != std::rend(filters); ++filter)
        keys += Persistent("Filter", filter->key.Text(), EncodeWfpFilter(*filter));
    return keys;
}

namespace {

// A PackedCatalogItem laid out at docs/FORMAT.md's offsets.
struct CatalogItemBytes {
    Bytes bytes = Bytes(888, 0);

    void Put32(std::size_t offset, std::int64_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        std::memcpy(&bytes[offset], &bits, 4);
    }
    void PutText(std::size_t offset, const std::string& text) { std::memcpy(&bytes[offset], text.data(), text.size()); }
    void PutUtf16(std::size_t offset, const std::string& ascii) {
        for (std::size_t i = 0; i < ascii.size(); ++i) bytes[offset + 2 * i] = static_cast<std::uint8_t>(ascii[i]);
    }
};

std::string CatalogItem(const std::string& dll, std::int32_t chainLength, std::vector<std::int64_t> chain,
                        std::uint32_t id, std::int32_t family, const std::string& protocol) {
    CatalogItemBytes item;
    item.PutText(0, dll);
    item.PutText(dll.size() + 1, "stale.dll");
    for (int i = 0; i < 16; ++i) item.bytes[280 + i] = static_cast<std::uint8_t>(0x10 + i);
    item.Put32(296, id);
    item.Put32(300, chainLength);
    for (std::size_t i = 0; i < chain.size(); ++i) item.Put32(304 + 4 * i, chain[i]);
    item.Put32(336, family);
    item.Put32(348, 1);
    item.Put32(352, 6);
    item.PutUtf16(376, protocol);
    KeepAsFuzzSeed("catalog_entry", item.bytes);
    return "PackedCatalogItem=hex:" + Hex(item.bytes) + "\n";
}

}  // namespace

std::string WinsockCatalogKeys() {
    const std::string entries = "[ControlSet001\\Services\\WinSock2\\Parameters\\Protocol_Catalog9\\Catalog_Entries";
    return entries + "\\000000000001]\n" +
           CatalogItem("%SystemRoot%\\system32\\mswsock.dll", 1, {}, 1001, 2, "MSAFD Tcpip [TCP/IP]") + entries +
           "\\000000000002]\n" + CatalogItem("C:\\Program Files\\Acm\xE9\\acmelsp.dll", 0, {}, 1002, 2, "Acme LSP") +
           entries + "\\000000000003]\n" +
           CatalogItem("%SystemRoot%\\system32\\mswsock.dll", 2, {1002, 1001}, 1003, 2, "Acme over Tcpip") + entries +
           "64\\000000000001]\n" + CatalogItem("%SystemRoot%\\system32\\mswsock.dll", 8, {}, 1004, -1, "") + entries +
           "64\\000000000002]\nDisplayString=sz:no item\n" + entries + "64\\000000000003]\n" +
           CatalogItem("%SystemRoot%\\system32\\mswsock.dll", 7, {1, 2, 3, 4, 5, 6, 7}, 1005, 23, "Longest chain") +
           entries + "64\\000000000004]\n" + CatalogItem("%SystemRoot%\\system32\\mswsock.dll", -1, {}, 1006, 2, "") +
           entries + "64\\000000000005]\nPackedCatalogItem=hex:" + Hex(Bytes(887)) + "\n";
}

std::vector<InventoryCase> BinaryValueCases() {
    const std::string persistentFilter = "Services\\BFE\\Parameters\\Policy\\Persistent\\Filter";
    const std::string app = std::string("ALE_APP_ID=") + kAgent;
    return {
        {"winsock-protocols: base, layered and chained providers, chains of 7, 8 and -1, entries without a whole item",
         WinsockCatalogKeys(), "winsock-protocols",
         "[winsock-protocols] n=6\n"
         "wsp\tos\t32\t000000000001\t1001\tbase\t-\t{13121110-1514-1716-1819-1A1B1C1D1E1F}\t2/1/6\t"
         "%SystemRoot%\\system32\\mswsock.dll\tMSAFD Tcpip [TCP/IP]\n"
         "wsp\t3p\t32\t000000000002\t1002\tlsp\t-\t{13121110-1514-1716-1819-1A1B1C1D1E1F}\t2/1/6\t"
         "C:\\Program Files\\Acm\xC3\xA9\\acmelsp.dll\tAcme LSP\n"
         "wsp\tos\t32\t000000000003\t1003\tchain\t1002,1001\t{13121110-1514-1716-1819-1A1B1C1D1E1F}\t2/1/6\t"
         "%SystemRoot%\\system32\\mswsock.dll\tAcme over Tcpip\n"
         "wsp\tos\t64\t000000000001\t1004\tbad\t-\t{13121110-1514-1716-1819-1A1B1C1D1E1F}\t-1/1/6\t"
         "%SystemRoot%\\system32\\mswsock.dll\t\n"
         "wsp\tos\t64\t000000000003\t1005\tchain\t1,2,3,4,5,6,7\t{13121110-1514-1716-1819-1A1B1C1D1E1F}\t23/1/6\t"
         "%SystemRoot%\\system32\\mswsock.dll\tLongest chain\n"
         "wsp\tos\t64\t000000000004\t1006\tbad\t-\t{13121110-1514-1716-1819-1A1B1C1D1E1F}\t2/1/6\t"
         "%SystemRoot%\\system32\\mswsock.dll\t\n"
         "error\tServices\\WinSock2\\Parameters\\Protocol_Catalog9\\Catalog_Entries64\\000000000002\t"
         "no PackedCatalogItem (REG_BINARY)\n"
         "error\tServices\\WinSock2\\Parameters\\Protocol_Catalog9\\Catalog_Entries64\\000000000005\t"
         "catalog entry: 887 bytes, shorter than the 888 of a PackedCatalogItem\n",
         false},

        {"wfp-providers: persistent, named only, and none, with what each owns",
         WfpObjectKeys() + "[ControlSet001\\Services\\BFE\\Parameters\\Policy\\Persistent\\Filter]\n"
                           "{f0000000-0000-0000-0000-000000000009}=sz:not a filter\n"
                           "[ControlSet001\\Services\\BFE\\Parameters\\Policy\\BootTime\\Filter]\n"
                           "{E0000000-0000-0000-0000-000000000001}=hex:01,02\n"
                           "{E0000000-0000-0000-0000-000000000002}=hex:03\n",
         "wfp-providers",
         std::string("[wfp-providers] n=5\n") + "wfpprov\t3p\t" + kProvider +
             "\tAcmeSvc\tAcme Firewall\tAcme packet filter\tsublayers=1\tcallouts=1\tfilters=1\n" + "wfpprov\t3p\t" +
             kImpostor + "\t(absent)\tMicrosoft Corporation\t(absent)\tsublayers=0\tcallouts=0\tfilters=1\n" +
             "wfpprov\t?\t" + kNotPersistent +
             "\t(absent)\t(not persistent)\t(absent)\tsublayers=0\tcallouts=0\tfilters=1\n" + "wfpprov\tos\t" +
             kWindowsFirewall + "\tmpssvc\t@FirewallAPI.dll,-23501\t(absent)\tsublayers=0\tcallouts=0\tfilters=1\n" +
             "wfpprov\t?\t(none)\t-\t-\t-\tsublayers=0\tcallouts=1\tfilters=3\n" + "error\t" + persistentFilter +
             "\\{f0000000-0000-0000-0000-000000000009}\tnot a REG_BINARY value\n",
         false},

        {"wfp-callouts: marked by their provider", "", "wfp-callouts",
         std::string("[wfp-callouts] n=2\n") + "wfpcall\t3p\t{C0000000-0000-0000-0000-000000000001}\t" + kProvider +
             "\t300\t" + kConnectV4 + "\tAcme connect\n" +
             "wfpcall\t?\t{C0000000-0000-0000-0000-000000000002}\t-\t301\t" + kFlowEstablishedV4 + "\t(absent)\n",
         false},

        {"wfp-filters: layer, action, weight and conditions; one that does not decode", "", "wfp-filters",
         "[wfp-filters] n=7\n"
         "note\tBootTime\\Filter holds 2 boot-time filters in the kernel's form, not decoded\n"
         "wfpfilt\tos\t{F0000000-0000-0000-0000-000000000001}\t" +
             std::string(kWindowsFirewall) +
             "\tALE_AUTH_CONNECT_V4\tblock\t-\tWindows rule\t"
             "ALE_APP_ID=\\device\\harddiskvolume1\\windows\\system32\\svchost.exe\n"
             "wfpfilt\t?\t{F0000000-0000-0000-0000-000000000002}\t-\tALE_AUTH_CONNECT_V4\tblock\t-\tBlock agent\t" +
             app + "\nwfpfilt\t3p\t{F0000000-0000-0000-0000-000000000003}\t" + kImpostor +
             "\tALE_AUTH_RECV_ACCEPT_V6\tblock\t0xFFFFFFFFFFFFFFFF\t(absent)\t" + app +
             "\nwfpfilt\t?\t{F0000000-0000-0000-0000-000000000004}\t-\tALE_AUTH_CONNECT_V4\tpermit\t-\tAllow agent\t" +
             app + "\nwfpfilt\t3p\t{F0000000-0000-0000-0000-000000000005}\t" + kProvider +
             "\tALE_AUTH_CONNECT_V4\tblock\t5\tAcme port rule\tIP_REMOTE_PORT=443\n"
             "wfpfilt\t?\t{F0000000-0000-0000-0000-000000000006}\t-\tALE_RESOURCE_ASSIGNMENT_V4\tblock\t-\tBind "
             "rule\t" +
             app + "\nwfpfilt\t?\t{F0000000-0000-0000-0000-000000000007}\t" + kNotPersistent +
             "\tOUTBOUND_TRANSPORT_V4\tcallout-inspection\t-\t(absent)\t-\n" + "error\t" + persistentFilter +
             "\\{f0000000-0000-0000-0000-000000000009}\tnot a REG_BINARY value\n",
         false},

        {"wfp-suspicious: both forms of silencing, and none of the filters that only look alike", "", "wfp-suspicious",
         "[wfp-suspicious] n=2\n"
         "wfpsusp\t?\t{F0000000-0000-0000-0000-000000000002}\t-\tALE_AUTH_CONNECT_V4\tblock\t-\tBlock agent\t" +
             app + "\nwfpsusp\t3p\t{F0000000-0000-0000-0000-000000000003}\t" + kImpostor +
             "\tALE_AUTH_RECV_ACCEPT_V6\tblock\t0xFFFFFFFFFFFFFFFF\t(absent)\t" + app + "\nerror\t" + persistentFilter +
             "\\{f0000000-0000-0000-0000-000000000009}\tnot a REG_BINARY value\n",
         false},
    };
}

}  // namespace inventory::test

#include "BlockTable.h"

#include "Blocks.h"

namespace inventory {

const std::vector<BlockKind>& BlockKinds() {
    static const std::vector<BlockKind> kinds = {
        {BlockId::kServices, "services", "svc", ReadServices, false},
        {BlockId::kNdisFilters, "ndis-filters", "lwf", ReadNdisFilters, false},
        {BlockId::kAdapterFilters, "adapter-filters", "bind", ReadAdapterFilters, false},
        {BlockId::kNdisProtocols, "ndis-protocols", "proto", ReadNdisProtocols, false},
        {BlockId::kWinsockProtocols, "winsock-protocols", "wsp", ReadWinsockProtocols, false},
        {BlockId::kWinsockNamespaces, "winsock-namespaces", "nsp", ReadWinsockNamespaces, false},
        {BlockId::kWfpProviders, "wfp-providers", "wfpprov", ReadWfpProviders, false},
        {BlockId::kWfpCallouts, "wfp-callouts", "wfpcall", ReadWfpCallouts, false},
        {BlockId::kWfpFilters, "wfp-filters", "wfpfilt", ReadWfpFilters, false},
        {BlockId::kWfpSuspicious, "wfp-suspicious", "wfpsusp", ReadWfpSuspicious, true},
        {BlockId::kNetworkProviders, "network-providers", "netprov", ReadNetworkProviders, false},
        {BlockId::kFirewallProfiles, "firewall-profiles", "fwprof", ReadFirewallProfiles, false},
        {BlockId::kFirewallRules, "firewall-rules", "fwrule", ReadFirewallRules, false},
        {BlockId::kFirewallSuspicious, "firewall-suspicious", "fwsusp", ReadFirewallSuspicious, true},
    };
    return kinds;
}

const BlockKind& KindOf(BlockId id) {
    for (const BlockKind& kind : BlockKinds())
        if (kind.id == id) return kind;
    return BlockKinds().front();  // every id is in the table
}

}  // namespace inventory

#pragma once

#include <optional>
#include <string>

#include "Machine.h"
#include "Report.h"

namespace inventory {

// The blocks of the report, each read on its own: what one cannot read
// becomes its error lines and never stops another.
Block ReadServices(Machine& machine);
Block ReadNdisFilters(Machine& machine);
Block ReadAdapterFilters(Machine& machine);
Block ReadNdisProtocols(Machine& machine);
Block ReadWinsockProtocols(Machine& machine);
Block ReadWinsockNamespaces(Machine& machine);
Block ReadWfpProviders(Machine& machine);
Block ReadWfpCallouts(Machine& machine);
Block ReadWfpFilters(Machine& machine);
Block ReadWfpSuspicious(Machine& machine);
Block ReadNetworkProviders(Machine& machine);
Block ReadFirewallProfiles(Machine& machine);
Block ReadFirewallRules(Machine& machine);
Block ReadFirewallSuspicious(Machine& machine);

// A field beyond the line format that takes more reading (a vendor, the
// program behind a service): what cannot be read leaves it out, since the
// entry's own line stands without it.
template <typename Compute>
Field Extra(FieldId id, Compute compute) {
    try {
        return {id, compute()};
    } catch (const ReadError&) {
        return {id, std::nullopt};
    }
}

// Who provided the oemNN.inf of an entry.
Field VendorField(Machine& machine, const std::optional<std::string>& infPath);
// When the entry's own key was last written.
Field LastWriteField(std::optional<std::uint64_t> fileTime);

// The fields that end a network component's line: its INF, its description,
// when it was installed and who provided the INF.
void AppendComponentTail(Entry& entry, Machine& machine, const NetworkComponent& component);

// Entries in the format's order: by the upper-cased text of one field.
void SortEntries(Block& block, FieldId id);

}  // namespace inventory

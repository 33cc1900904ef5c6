#pragma once

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

// Who provided the oemNN.inf of an entry, beyond the line format.
Field VendorField(Machine& machine, const std::optional<std::string>& infPath);

// The fields that end a network component's line: its INF, its description,
// when it was installed and who provided the INF.
void AppendComponentTail(Entry& entry, Machine& machine, const NetworkComponent& component);

// Entries in the format's order: by the upper-cased text of one field.
void SortEntries(Block& block, const char* fieldName);

}  // namespace inventory

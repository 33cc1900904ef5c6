#pragma once

#include <vector>

#include "Report.h"

namespace inventory {

class Machine;

// One block of the report: its name, the first field of its lines, how it is
// read, and whether its entries are verdicts (entries that look like
// tampering) rather than an inventory.
struct BlockKind {
    BlockId id;
    const char* name;
    const char* tag;
    Block (*read)(Machine&);
    bool verdicts;
};

// Every block, in the format's order.
const std::vector<BlockKind>& BlockKinds();
const BlockKind& KindOf(BlockId id);

}  // namespace inventory

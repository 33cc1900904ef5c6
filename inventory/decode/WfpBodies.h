#pragma once

#include <optional>
#include <vector>

#include "NdrCursor.h"
#include "WfpObjects.h"

namespace inventory {

// The NDR bodies of the persistent objects, read from B to their last
// pointee; the caller checks what follows.
WfpProvider ReadWfpProviderBody(NdrCursor& cursor);
WfpSublayer ReadWfpSublayerBody(NdrCursor& cursor);
WfpCallout ReadWfpCalloutBody(NdrCursor& cursor);
WfpFilter ReadWfpFilterBody(NdrCursor& cursor);

// Parts the four share.
void ReadWfpObjectPointer(NdrCursor& cursor);
// FWP_BYTE_BLOB's flat part: its size, and whether its bytes follow.
struct WfpBlobFlat {
    std::uint32_t size = 0;
    bool present = false;
};
WfpBlobFlat ReadWfpBlobFlat(NdrCursor& cursor, const char* what);
std::optional<std::vector<std::uint8_t>> ReadWfpBlobPointee(NdrCursor& cursor, const WfpBlobFlat& flat,
                                                            const char* what);

}  // namespace inventory

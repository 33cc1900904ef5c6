#pragma once

#include <optional>
#include <vector>

#include "Lists.h"
#include "Report.h"
#include "WfpStore.h"

namespace inventory {

// The marks go by the persistent providers: what of them could not be read
// is added to `userErrors`.

// The mark of a WFP provider's line: os for Windows' own, 3p for another
// persistent one, ? for a key that names no persistent provider.
Mark ProviderLineMark(const WfpStore& store, const Lists& lists, const Guid& key, std::vector<ErrorLine>& userErrors);

// The mark of an object by the provider it names: os for a Windows provider,
// 3p for another persistent one, ? for none or one that is not persistent.
Mark ObjectMark(const WfpStore& store, const Lists& lists, const std::optional<Guid>& providerKey,
                std::vector<ErrorLine>& userErrors);

}  // namespace inventory

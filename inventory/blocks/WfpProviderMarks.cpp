#include "WfpProviderMarks.h"

namespace inventory {

Mark ProviderLineMark(const WfpStore& store, const Lists& lists, const Guid& key, std::vector<ErrorLine>& userErrors) {
    if (!store.FindProvider(key, userErrors)) return Mark::kUnknown;
    return lists.IsWindowsWfpProvider(key.Text()) ? Mark::kWindows : Mark::kThirdParty;
}

Mark ObjectMark(const WfpStore& store, const Lists& lists, const std::optional<Guid>& providerKey,
                std::vector<ErrorLine>& userErrors) {
    if (!providerKey) return Mark::kUnknown;
    if (lists.IsWindowsWfpProvider(providerKey->Text())) return Mark::kWindows;
    return store.FindProvider(*providerKey, userErrors) ? Mark::kThirdParty : Mark::kUnknown;
}

}  // namespace inventory

#include "WfpProviderMarks.h"

namespace inventory {

Mark ProviderLineMark(const WfpStore& store, const Lists& lists, const Guid& key) {
    if (!store.FindProvider(key)) return Mark::kUnknown;
    return lists.IsWindowsWfpProvider(key.Text()) ? Mark::kWindows : Mark::kThirdParty;
}

Mark ObjectMark(const WfpStore& store, const Lists& lists, const std::optional<Guid>& providerKey) {
    if (!providerKey) return Mark::kUnknown;
    if (lists.IsWindowsWfpProvider(providerKey->Text())) return Mark::kWindows;
    return store.FindProvider(*providerKey) ? Mark::kThirdParty : Mark::kUnknown;
}

}  // namespace inventory

#include "Blocks.h"

#include <algorithm>

#include "RegistryText.h"
#include "TimeText.h"

namespace inventory {

Field VendorField(Machine& machine, const std::optional<std::string>& infPath) {
    return Extra(FieldId::kVendor, [&] { return infPath ? machine.Packages().Provider(*infPath) : std::nullopt; });
}

Field LastWriteField(std::optional<std::uint64_t> fileTime) {
    return {FieldId::kLastWrite, fileTime ? FileTimeText(*fileTime) : std::nullopt};
}

void AppendComponentTail(Entry& entry, Machine& machine, const NetworkComponent& component) {
    entry.fields.push_back({FieldId::kInfPath, component.infPath});
    entry.fields.push_back({FieldId::kDescription, component.description});
    entry.fields.push_back({FieldId::kInstallTime, component.installTime});
    entry.fields.push_back(VendorField(machine, component.infPath));
    entry.fields.push_back(LastWriteField(component.lastWrite));
}

void SortEntries(Block& block, FieldId id) {
    std::stable_sort(block.entries.begin(), block.entries.end(), [&](const Entry& a, const Entry& b) {
        return LessNoCase(a.Text(id).value_or(""), b.Text(id).value_or(""));
    });
}

}  // namespace inventory

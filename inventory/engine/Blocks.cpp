#include "Blocks.h"

#include <algorithm>

#include "RegistryText.h"

namespace inventory {

Field VendorField(Machine& machine, const std::optional<std::string>& infPath) {
    return {"vendor", FieldKind::kText, infPath ? machine.packages.Provider(*infPath) : std::nullopt, View::kNotInLine};
}

void AppendComponentTail(Entry& entry, Machine& machine, const NetworkComponent& component) {
    entry.fields.push_back({"infPath", FieldKind::kText, component.infPath});
    entry.fields.push_back({"description", FieldKind::kText, component.description});
    entry.fields.push_back({"installTime", FieldKind::kWord, component.installTime, View::kNotInLine});
    entry.fields.push_back(VendorField(machine, component.infPath));
}

void SortEntries(Block& block, const char* fieldName) {
    std::stable_sort(block.entries.begin(), block.entries.end(), [&](const Entry& a, const Entry& b) {
        const Field* x = a.Find(fieldName);
        const Field* y = b.Find(fieldName);
        return LessNoCase(x && x->value ? *x->value : "", y && y->value ? *y->value : "");
    });
}

}  // namespace inventory

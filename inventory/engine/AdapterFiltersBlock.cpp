#include "Blocks.h"
#include "RegistryText.h"

namespace inventory {
Block ReadAdapterFilters(Machine& machine) {
    Block block{"adapter-filters", "bind"};
    const auto& adapters = machine.network.adapters;
    if (!adapters.present) block.absent.push_back(adapters.path);
    block.errors = adapters.errors;
    for (const NetworkAdapter& adapter : adapters.items) {
        if (!adapter.filterList || adapter.filterList->empty()) continue;
        std::string filters;
        for (const std::string& binding : *adapter.filterList) {
            const std::string_view filterGuid = FilterOfBinding(binding);
            const std::string guid = UpperAscii(filterGuid.empty() ? std::string_view(binding) : filterGuid);
            const NetworkComponent* filter = machine.network.FindService(guid);
            if (!filters.empty()) filters += ',';
            filters += filter && filter->componentId ? *filter->componentId : guid;
        }
        block.entries.push_back({std::nullopt,
                                 {{"adapter", FieldKind::kWord, adapter.number},
                                  {"netCfgInstanceId", FieldKind::kText, adapter.netCfgInstanceId},
                                  {"driverDesc", FieldKind::kText, adapter.driverDesc},
                                  {"filters", FieldKind::kText, filters}}});
    }
    SortEntries(block, "adapter");
    return block;
}

}  // namespace inventory

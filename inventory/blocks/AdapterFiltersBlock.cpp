#include "Blocks.h"
#include "RegistryText.h"

namespace inventory {

Block ReadAdapterFilters(Machine& machine) {
    Block block{BlockId::kAdapterFilters};
    const NetworkConfig& network = machine.Network();
    if (!network.adapters.present) block.absent.push_back(network.adapters.path);
    for (const NetworkAdapter& adapter : network.adapters.Items(block.errors)) {
        if (!adapter.filterList || adapter.filterList->empty()) continue;
        std::string filters;
        for (const std::string& binding : *adapter.filterList) {
            const std::string_view filterGuid = FilterOfBinding(binding);
            const std::string guid = UpperAscii(filterGuid.empty() ? std::string_view(binding) : filterGuid);
            const NetworkComponent* filter = network.FindService(guid, block.errors);
            if (!filters.empty()) filters += ',';
            filters += filter && filter->componentId ? *filter->componentId : guid;
        }
        block.entries.push_back({std::nullopt,
                                 {{FieldId::kAdapter, adapter.number},
                                  {FieldId::kNetCfgInstanceId, adapter.netCfgInstanceId},
                                  {FieldId::kDriverDesc, adapter.driverDesc},
                                  {FieldId::kAdapterFilters, filters},
                                  LastWriteField(adapter.lastWrite)}});
    }
    SortEntries(block, FieldId::kAdapter);
    return block;
}

}  // namespace inventory

#include "Blocks.h"
#include "Marks.h"
#include "RegistryText.h"

namespace inventory {

Block ReadNdisProtocols(Machine& machine) {
    Block block{BlockId::kNdisProtocols};
    const NetworkConfig& network = machine.Network();
    if (!network.protocols.present) block.absent.push_back(network.protocols.path);
    for (const NetworkComponent& component : network.protocols.Items(block.errors)) {
        const std::optional<std::string> service = component.MainService();
        const auto bound =
            service ? network.CountAdapters(
                          &NetworkAdapter::upperBind,
                          [&](const std::string& upper) { return EqualsNoCase(upper, *service); }, block.errors)
                    : std::nullopt;
        Entry entry{ComponentMark(component.infPath, component.componentId),
                    {
                        {FieldId::kGuid, UpperAscii(component.key)},
                        {FieldId::kComponentId, component.componentId},
                        {FieldId::kService, service},
                        {FieldId::kBoundAdapters, bound},
                    }};
        AppendComponentTail(entry, machine, component);
        block.entries.push_back(std::move(entry));
    }
    SortEntries(block, FieldId::kGuid);
    return block;
}

}  // namespace inventory

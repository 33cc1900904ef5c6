#include "Blocks.h"
#include "Marks.h"
#include "RegistryText.h"

namespace inventory {
Block ReadNdisProtocols(Machine& machine) {
    Block block{"ndis-protocols", "proto"};
    const auto& protocols = machine.network.protocols;
    if (!protocols.present) block.absent.push_back(protocols.path);
    block.errors = protocols.errors;
    for (const NetworkComponent& component : protocols.items) {
        const std::optional<std::string> service = component.MainService();
        Entry entry{ComponentMark(component.infPath, component.componentId),
                    {
                        {"guid", FieldKind::kText, UpperAscii(component.key)},
                        {"componentId", FieldKind::kText, component.componentId},
                        {"service", FieldKind::kText, service},
                        {"bound", FieldKind::kNumber,
                         service ? machine.network.CountAdapters(
                                       &NetworkAdapter::upperBind,
                                       [&](const std::string& upper) { return EqualsNoCase(upper, *service); })
                                 : std::nullopt},
                    }};
        AppendComponentTail(entry, machine, component);
        block.entries.push_back(std::move(entry));
    }
    SortEntries(block, "guid");
    return block;
}

}  // namespace inventory

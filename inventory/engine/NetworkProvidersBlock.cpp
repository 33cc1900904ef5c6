#include "Blocks.h"
#include "Marks.h"
#include "Values.h"

namespace inventory {

namespace {
constexpr char kOrderPath[] = "Control\\NetworkProvider\\Order";
}

Block ReadNetworkProviders(Machine& machine) {
    Block block{"network-providers", "netprov"};
    try {
        const auto order = machine.controlSet ? OpenPath(*machine.controlSet, kOrderPath) : nullptr;
        if (!order) {
            block.absent.emplace_back(kOrderPath);
            return block;
        }
        const std::string names = ReadText(*order, "ProviderOrder").value_or("");
        int position = 0;
        for (std::size_t begin = 0; begin <= names.size();) {
            const std::size_t end = std::min(names.find(',', begin), names.size());
            const std::string name = names.substr(begin, end - begin);
            begin = end + 1;
            if (name.empty()) continue;
            ++position;
            std::optional<std::string> providerPath;
            try {
                const auto services = machine.controlSet->OpenSubkey("Services");
                const auto service = services ? services->OpenSubkey(name) : nullptr;
                const auto provider = service ? service->OpenSubkey("NetworkProvider") : nullptr;
                if (provider) providerPath = ReadText(*provider, "ProviderPath");
            } catch (const ReadError& error) {
                block.errors.push_back({"Services\\" + name + "\\NetworkProvider", error.what()});
            }
            const Mark mark = providerPath && IsOutsideWindows(*providerPath) ? Mark::kThirdParty
                              : machine.lists.IsWindowsNetworkProvider(name)  ? Mark::kWindows
                                                                              : Mark::kUnknown;
            block.entries.push_back({mark,
                                     {{"position", FieldKind::kNumber, std::to_string(position)},
                                      {"name", FieldKind::kText, name},
                                      {"providerPath", FieldKind::kText, providerPath}}});
        }
    } catch (const ReadError& error) {
        block.errors.push_back({kOrderPath, error.what()});
    }
    return block;
}

}  // namespace inventory

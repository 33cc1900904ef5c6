#include "Blocks.h"
#include "Marks.h"
#include "Values.h"

namespace inventory {

namespace {
constexpr char kOrderPath[] = "Control\\NetworkProvider\\Order";
}

Block ReadNetworkProviders(Machine& machine) {
    Block block{BlockId::kNetworkProviders};
    try {
        const auto order = machine.ControlSet() ? OpenPath(*machine.ControlSet(), kOrderPath) : nullptr;
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
            std::optional<std::uint64_t> lastWrite;
            try {
                const auto services = machine.ControlSet()->OpenSubkey("Services");
                const auto service = services ? services->OpenSubkey(name) : nullptr;
                const auto provider = service ? service->OpenSubkey("NetworkProvider") : nullptr;
                if (service) lastWrite = service->LastWriteTime();
                if (provider) providerPath = ReadText(*provider, "ProviderPath");
            } catch (const ReadError& error) {
                block.errors.push_back({"Services\\" + name + "\\NetworkProvider", error.what()});
            }
            const Mark mark = providerPath && IsOutsideWindows(*providerPath)  ? Mark::kThirdParty
                              : machine.lists().IsWindowsNetworkProvider(name) ? Mark::kWindows
                                                                               : Mark::kUnknown;
            block.entries.push_back({mark,
                                     {{FieldId::kPosition, std::to_string(position)},
                                      {FieldId::kName, name},
                                      {FieldId::kProviderPath, providerPath},
                                      LastWriteField(lastWrite)}});
        }
    } catch (const ReadError& error) {
        block.errors.push_back({kOrderPath, error.what()});
    }
    return block;
}

}  // namespace inventory

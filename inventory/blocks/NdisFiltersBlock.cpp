#include "Blocks.h"
#include "Marks.h"
#include "RegistryText.h"
#include "Values.h"

namespace inventory {
namespace {

constexpr std::uint32_t kLightweightFilter = 0x40000;
constexpr std::uint32_t kIntermediateDriver = 0x400;

// Windows 10 keeps a filter's class, mode and run type here instead of below Ndi.
struct FilterSetup {
    bool present = false;
    bool kernel = false;  // the Kernel key exists
    std::optional<std::string> filterClass;
    std::optional<std::uint32_t> monitoring;
    std::optional<std::uint32_t> optional;
};

FilterSetup ReadFilterSetup(const Machine& machine, const std::string& guid) {
    FilterSetup setup;
    if (!machine.ControlSet()) return setup;
    const auto filters = OpenPath(*machine.ControlSet(), kFilterSetupPath);
    const auto key = filters ? filters->OpenSubkey(guid) : nullptr;
    if (!key) return setup;
    setup.present = true;
    if (const auto kernel = key->OpenSubkey("Kernel")) {
        setup.kernel = true;
        setup.filterClass = ReadText(*kernel, "FilterClass");
        setup.monitoring = ReadNumber(*kernel, "Monitoring");
        setup.optional = ReadNumber(*kernel, "Optional");
    }
    return setup;
}

std::optional<std::string> ModeText(const NetworkComponent& filter, const FilterSetup& setup) {
    if (filter.filterType) {
        if (*filter.filterType == 1) return "monitoring";
        if (*filter.filterType == 2) return "modifying";
        return std::nullopt;
    }
    // Windows writes Monitoring and Optional only when they are 1.
    if (setup.kernel) return setup.monitoring == 1u ? "monitoring" : "modifying";
    return std::nullopt;
}

std::optional<std::string> RunText(const NetworkComponent& filter, const FilterSetup& setup) {
    if (filter.filterRunType) {
        if (*filter.filterRunType == 1) return "mandatory";
        if (*filter.filterRunType == 2) return "optional";
        return std::nullopt;
    }
    if (setup.kernel) return setup.optional == 1u ? "optional" : "mandatory";
    return std::nullopt;
}

}  // namespace

Block ReadNdisFilters(Machine& machine) {
    Block block{BlockId::kNdisFilters};
    const NetworkConfig& network = machine.Network();
    if (!network.services.present) block.absent.push_back(network.services.path);
    for (const NetworkComponent& component : network.services.Items(block.errors)) {
        const std::string guid = UpperAscii(component.key);
        FilterSetup setup;
        try {
            setup = ReadFilterSetup(machine, component.key);
        } catch (const ReadError& error) {
            block.errors.push_back({std::string(kFilterSetupPath) + "\\" + component.key, error.what()});
        }
        const std::uint32_t characteristics = component.characteristics.value_or(0);
        const bool isFilter = (characteristics & (kLightweightFilter | kIntermediateDriver)) != 0 ||
                              component.filterMediaTypes || setup.present;
        if (!isFilter) continue;
        const bool intermediate =
            (characteristics & kIntermediateDriver) != 0 && (characteristics & kLightweightFilter) == 0;
        const auto bound = network.CountAdapters(
            &NetworkAdapter::filterList,
            [&](const std::string& binding) { return EqualsNoCase(FilterOfBinding(binding), guid); }, block.errors);
        Entry entry{ComponentMark(component.infPath, component.componentId),
                    {
                        {FieldId::kGuid, guid},
                        {FieldId::kFilterKind, intermediate ? "im" : "lwf"},
                        {FieldId::kComponentId, component.componentId},
                        {FieldId::kService, component.MainService()},
                        {FieldId::kFilterClass, component.filterClass ? component.filterClass : setup.filterClass},
                        {FieldId::kFilterMode, ModeText(component, setup)},
                        {FieldId::kFilterRun, RunText(component, setup)},
                        {FieldId::kBoundAdapters, bound},
                    }};
        AppendComponentTail(entry, machine, component);
        block.entries.push_back(std::move(entry));
    }
    SortEntries(block, FieldId::kGuid);
    return block;
}

}  // namespace inventory

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
    std::optional<std::string> filterClass;
    std::optional<std::uint32_t> monitoring;
    std::optional<std::uint32_t> optional;
};

FilterSetup ReadFilterSetup(const Machine& machine, const std::string& guid) {
    FilterSetup setup;
    if (!machine.controlSet) return setup;
    const auto filters = OpenPath(*machine.controlSet, kFilterSetupPath);
    const auto key = filters ? filters->OpenSubkey(guid) : nullptr;
    if (!key) return setup;
    setup.present = true;
    if (const auto kernel = key->OpenSubkey("Kernel")) {
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
    if (setup.monitoring) return *setup.monitoring == 1 ? "monitoring" : "modifying";
    return std::nullopt;
}

std::optional<std::string> RunText(const NetworkComponent& filter, const FilterSetup& setup) {
    if (filter.filterRunType) {
        if (*filter.filterRunType == 1) return "mandatory";
        if (*filter.filterRunType == 2) return "optional";
        return std::nullopt;
    }
    if (setup.optional) return *setup.optional == 1 ? "optional" : "mandatory";
    return std::nullopt;
}

}  // namespace

Block ReadNdisFilters(Machine& machine) {
    Block block{"ndis-filters", "lwf"};
    const auto& services = machine.network.services;
    if (!services.present) block.absent.push_back(services.path);
    block.errors = services.errors;
    for (const NetworkComponent& component : services.items) {
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
        Entry entry{
            ComponentMark(component.infPath, component.componentId),
            {
                {"guid", FieldKind::kText, guid},
                {"kind", FieldKind::kWord, intermediate ? "im" : "lwf"},
                {"componentId", FieldKind::kText, component.componentId},
                {"service", FieldKind::kText, component.MainService()},
                {"filterClass", FieldKind::kText, component.filterClass ? component.filterClass : setup.filterClass},
                {"mode", FieldKind::kWord, ModeText(component, setup)},
                {"run", FieldKind::kWord, RunText(component, setup)},
                {"bound", FieldKind::kNumber,
                 machine.network.CountAdapters(
                     &NetworkAdapter::filterList,
                     [&](const std::string& binding) { return EqualsNoCase(FilterOfBinding(binding), guid); })},
            }};
        AppendComponentTail(entry, machine, component);
        block.entries.push_back(std::move(entry));
    }
    SortEntries(block, "guid");
    return block;
}

}  // namespace inventory

#include "Inventory.h"

#include <cstdio>

#include "BlockTable.h"
#include "Machine.h"
#include "Values.h"

namespace inventory {
namespace {

constexpr char kDefaultControlSet[] = "ControlSet001";

// Select\Current n names ControlSet00n; nothing when it is missing or not a number.
std::optional<std::string> SelectedControlSet(const RegistryKey& system) {
    const auto select = system.OpenSubkey("Select");
    const auto current = select ? ReadNumber(*select, "Current") : std::nullopt;
    if (!current || *current > 999) return std::nullopt;
    char name[16];
    std::snprintf(name, sizeof name, "ControlSet%03u", static_cast<unsigned>(*current));
    return std::string(name);
}

// A block that could not be read at all.
Block ReadGuarded(const BlockKind& kind, Machine& machine) {
    try {
        return kind.read(machine);
    } catch (const ReadError& error) {
        Block block{kind.id};
        block.errors.push_back({kind.name, error.what()});
        return block;
    }
}

}  // namespace

Report TakeInventory(const RegistryKey& system, std::string hive, const std::optional<std::string>& controlSet,
                     const InventoryProgress& progress) {
    Report report;
    report.hive = std::move(hive);
    if (controlSet) {
        report.controlSet = *controlSet;
    } else {
        std::optional<std::string> selected;
        try {
            selected = SelectedControlSet(system);
            if (!selected)
                report.notes.push_back("Select\\Current names no control set: " + std::string(kDefaultControlSet) +
                                       " is read");
        } catch (const ReadError& error) {
            report.errors.push_back({"Select", error.what()});
        }
        report.controlSet = selected.value_or(kDefaultControlSet);
    }
    std::unique_ptr<RegistryKey> controlSetKey;
    try {
        controlSetKey = system.OpenSubkey(report.controlSet);
        if (!controlSetKey) report.notes.push_back(report.controlSet + " does not exist");
    } catch (const ReadError& error) {
        report.errors.push_back({report.controlSet, error.what()});
    }
    Machine machine(system, std::move(controlSetKey));

    const std::vector<BlockKind>& kinds = BlockKinds();
    for (const BlockKind& kind : kinds) {
        if (progress) progress(report.blocks.size(), kinds.size());
        report.blocks.push_back(ReadGuarded(kind, machine));
    }
    if (progress) progress(kinds.size(), kinds.size());
    return report;
}

}  // namespace inventory

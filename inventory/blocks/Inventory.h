#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "RegistryKey.h"
#include "Report.h"

namespace inventory {

// How far a read is: told before the first block and after each one, with
// the blocks read and the blocks in all. An exception it throws ends the read
// and leaves TakeInventory (how a reader is stopped between blocks).
using InventoryProgress = std::function<void(std::size_t done, std::size_t total)>;

// Reads every block of one machine's SYSTEM registry.
//   system: the root of a SYSTEM hive, or HKEY_LOCAL_MACHINE\SYSTEM
//   hive: what the report calls the machine (the hive's path, a machine name)
//   controlSet: the control set to read; when not given, the one that
//       Select\Current names (ControlSet001 when it names none)
//   progress: told how far the read is, when given
Report TakeInventory(const RegistryKey& system, std::string hive,
                     const std::optional<std::string>& controlSet = std::nullopt,
                     const InventoryProgress& progress = {});

}  // namespace inventory

#pragma once

#include <optional>
#include <string>

#include "RegistryKey.h"
#include "Report.h"

namespace inventory {

// Reads every block of one machine's SYSTEM registry.
//   system: the root of a SYSTEM hive, or HKEY_LOCAL_MACHINE\SYSTEM
//   hive: what the report calls the machine (the hive's path, a machine name)
//   controlSet: the control set to read; when not given, the one that
//       Select\Current names (ControlSet001 when it names none)
Report TakeInventory(const RegistryKey& system, std::string hive,
                     const std::optional<std::string>& controlSet = std::nullopt);

}  // namespace inventory

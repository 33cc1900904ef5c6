#pragma once

#include <string>

#include "Inventory.h"
#include "Options.h"

namespace inventory {

// How a Windows build reads what it is pointed at. quillmark-inventory.exe and
// the window both read through here, so the two always agree.

// What the report calls a source: this machine's name for the local
// registry, otherwise the machine or hive file as given.
std::string SourceName(const Source& source);

// The inventory of a source: the live registry of this machine or, through
// its Remote Registry service, of another (the control set in use,
// CurrentControlSet), or a SYSTEM hive file (the control set its
// Select\Current names). Throws ReadError when nothing of it can be read.
Report ReadSource(const Source& source, const InventoryProgress& progress = {});

}  // namespace inventory

#pragma once

#include <windows.h>

#include <vector>

#include "RegText.h"

namespace inventory::tools {

// Writes registry text's keys and values below root\SYSTEM with the wide
// calls (the 8-bit ones would convert the texts' bytes). With `live`, the
// keys of ControlSet001 go to CurrentControlSet, the control set a live
// machine has in use. Throws std::runtime_error naming what it could not write.
void WriteSystemKeys(HKEY root, const std::vector<TextKey>& keys, bool live);

}  // namespace inventory::tools

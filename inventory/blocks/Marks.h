#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Report.h"

namespace inventory {

// A program path outside Windows' own folders: after leading quotes, blanks
// and \??\, a drive path with no \windows\ in it, or one below %ProgramFiles.
bool IsOutsideWindows(std::string_view imagePath);

// An INF that Windows did not ship: oemNN.inf.
bool IsOemInf(std::string_view infPath);

// The mark of a network component: 3p from an oemNN.inf, os from any other
// INF or a Microsoft component id, else unknown.
Mark ComponentMark(const std::optional<std::string>& infPath, const std::optional<std::string>& componentId);

}  // namespace inventory

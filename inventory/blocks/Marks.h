#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Report.h"

namespace inventory {

// A program path outside Windows' own folders: after leading quotes, blanks
// and \??\, a drive path with no \windows\ in it, or one below %ProgramFiles.
bool IsOutsideWindows(std::string_view imagePath);

// The mark of a firewall rule by its program and its name: 3p for a program
// outside Windows (a drive path without \windows\, or below %ProgramFiles,
// %LocalAppData%, %AppData%, %UserProfile% or %ProgramData%, but not
// Windows' own folders there); os for a resource-string name (@...) on no
// program, System or a Windows path; ? otherwise.
Mark FirewallRuleMark(const std::optional<std::string>& app, const std::optional<std::string>& name);

// An INF that Windows did not ship: oemNN.inf.
bool IsOemInf(std::string_view infPath);

// The mark of a network component: 3p from an oemNN.inf, os from any other
// INF or a Microsoft component id, else unknown.
Mark ComponentMark(const std::optional<std::string>& infPath, const std::optional<std::string>& componentId);

}  // namespace inventory

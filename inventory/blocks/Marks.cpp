#include "Marks.h"

#include <cctype>

#include "RegistryText.h"

namespace inventory {

bool IsOutsideWindows(std::string_view path) {
    while (!path.empty() && (path.front() == '"' || path.front() == ' ')) path.remove_prefix(1);
    if (path.substr(0, 4) == "\\??\\") path.remove_prefix(4);
    const bool drive =
        path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && path[2] == '\\';
    return (drive && !ContainsNoCase(path, "\\windows\\")) || StartsWithNoCase(path, "%ProgramFiles");
}

bool IsOemInf(std::string_view infPath) {
    return StartsWithNoCase(infPath, "oem");
}

Mark ComponentMark(const std::optional<std::string>& infPath, const std::optional<std::string>& componentId) {
    if (infPath && IsOemInf(*infPath)) return Mark::kThirdParty;
    if (infPath || (componentId && (StartsWithNoCase(*componentId, "ms_") || StartsWithNoCase(*componentId, "vms_"))))
        return Mark::kWindows;
    return Mark::kUnknown;
}

}  // namespace inventory

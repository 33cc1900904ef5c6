#include "Marks.h"

#include <cctype>

#include "RegistryText.h"

namespace inventory {

namespace {

// A path without leading quotes, blanks and \??\.
std::string_view Bare(std::string_view path) {
    while (!path.empty() && (path.front() == '"' || path.front() == ' ')) path.remove_prefix(1);
    if (path.substr(0, 4) == "\\??\\") path.remove_prefix(4);
    return path;
}

bool StartsWithDrive(std::string_view path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && path[2] == '\\';
}

bool StartsWithAny(std::string_view path, std::initializer_list<std::string_view> prefixes) {
    for (const std::string_view prefix : prefixes)
        if (StartsWithNoCase(path, prefix)) return true;
    return false;
}

}  // namespace

bool IsOutsideWindows(std::string_view imagePath) {
    const std::string_view path = Bare(imagePath);
    return (StartsWithDrive(path) && !ContainsNoCase(path, "\\windows\\")) || StartsWithNoCase(path, "%ProgramFiles");
}

Mark FirewallRuleMark(const std::optional<std::string>& app, const std::optional<std::string>& name) {
    const std::string_view path = app ? Bare(*app) : std::string_view();
    const bool windowsFolder = StartsWithAny(path, {"%ProgramFiles%\\Windows", "%ProgramFiles(x86)%\\Windows"});
    const bool driveOutsideWindows = StartsWithDrive(path) && !ContainsNoCase(path, "\\windows\\");
    if (driveOutsideWindows || (!windowsFolder && StartsWithAny(path, {"%ProgramFiles", "%LocalAppData%", "%AppData%",
                                                                       "%UserProfile%", "%ProgramData%"})))
        return Mark::kThirdParty;
    const bool windowsPath = !app || EqualsNoCase(path, "System") || windowsFolder ||
                             StartsWithAny(path, {"%SystemRoot%", "%windir%", "System32\\", "\\SystemRoot\\"}) ||
                             (StartsWithDrive(path) && ContainsNoCase(path, "\\windows\\"));
    if (name && !name->empty() && name->front() == '@' && windowsPath) return Mark::kWindows;
    return Mark::kUnknown;
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

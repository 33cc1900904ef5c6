#include "HiveKind.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "RegistryText.h"

namespace inventory {
namespace {

bool IsControlSet(const std::string& name) {
    return name.size() == 13 && StartsWithNoCase(name, "ControlSet") &&
           std::all_of(name.begin() + 10, name.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

}  // namespace

HiveKind KindOfHive(const RegistryKey& root) {
    const std::vector<std::string> names = root.SubkeyNames();
    const auto has = [&](std::string_view wanted) {
        return std::any_of(names.begin(), names.end(),
                           [&](const std::string& name) { return EqualsNoCase(name, wanted); });
    };
    if (has("Select") && std::any_of(names.begin(), names.end(), IsControlSet)) return HiveKind::kSystem;
    if (has("Microsoft") && has("Classes")) return HiveKind::kSoftware;
    if (has("Software") && (has("Control Panel") || has("Environment") || has("AppEvents"))) return HiveKind::kUser;
    if (has("Local Settings") && !has("Software")) return HiveKind::kUserClasses;
    if (has("SAM") && names.size() == 1) return HiveKind::kSam;
    if (has("Policy") && has("RXACT")) return HiveKind::kSecurity;
    return HiveKind::kOther;
}

std::string_view HiveKindText(HiveKind kind) {
    switch (kind) {
        case HiveKind::kSystem:
            return "a SYSTEM hive";
        case HiveKind::kSoftware:
            return "a SOFTWARE hive";
        case HiveKind::kUser:
            return "a user hive (NTUSER.DAT)";
        case HiveKind::kUserClasses:
            return "a user's classes hive (UsrClass.dat)";
        case HiveKind::kSam:
            return "a SAM hive";
        case HiveKind::kSecurity:
            return "a SECURITY hive";
        case HiveKind::kOther:
            break;
    }
    return "a registry hive, but not a SYSTEM hive";
}

}  // namespace inventory

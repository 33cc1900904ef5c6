#pragma once

#include <string_view>

#include "RegistryKey.h"

namespace inventory {

// What a hive holds, told by the keys below its root, whatever the file is
// called (HOST_SYSTEM, SYSTEM.hve, system.dat).
enum class HiveKind { kSystem, kSoftware, kUser, kUserClasses, kSam, kSecurity, kOther };

// A SYSTEM hive's root holds Select and a ControlSetNNN key. Throws ReadError
// when the root's subkeys cannot be listed.
HiveKind KindOfHive(const RegistryKey& root);

// "a SOFTWARE hive", "a user hive (NTUSER.DAT)", ... for a message.
std::string_view HiveKindText(HiveKind kind);

}  // namespace inventory

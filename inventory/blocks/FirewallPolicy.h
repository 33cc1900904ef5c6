#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "FirewallRule.h"
#include "KeyContents.h"
#include "RegistryKey.h"

namespace inventory {

inline constexpr char kFirewallPolicyPath[] = "Services\\SharedAccess\\Parameters\\FirewallPolicy";

// One of the firewall's profiles (DomainProfile, StandardProfile, PublicProfile).
struct FirewallProfile {
    const char* name;  // domain, private, public
    std::optional<std::uint32_t> enableFirewall;
    std::optional<std::uint32_t> defaultInboundAction;
    std::optional<std::uint32_t> defaultOutboundAction;
    std::optional<std::uint32_t> disableNotifications;
};

struct StoredFirewallRule {
    std::string id;  // the value's name
    FirewallRule rule;
};

// Windows Firewall's local policy of a control set, read once for the
// blocks that list it and judge it. profiles.present: FirewallPolicy exists.
struct FirewallPolicy {
    KeyContents<FirewallProfile> profiles;
    KeyContents<StoredFirewallRule> rules;

    static FirewallPolicy Read(const RegistryKey* controlSet);
};

}  // namespace inventory

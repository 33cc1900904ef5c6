#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace inventory {

// One Windows Firewall rule as stored under FirewallPolicy\FirewallRules: a
// version, then Key=Value fields separated by |
// (v2.30|Action=Allow|Dir=In|LPort=80|App=C:\x.exe|Name=...|).
struct FirewallRule {
    std::string version;
    // In stored order; a key may repeat (Profile, LPort, RA4, ...).
    std::vector<std::pair<std::string, std::string>> fields;
    // Fields without =, kept as they were.
    std::vector<std::string> unparsed;

    // The first value of a key (any case), or nothing.
    std::optional<std::string> First(std::string_view key) const;
    // Every value of a key, in stored order.
    std::vector<std::string> All(std::string_view key) const;
};

// Parses as far as the text goes; never fails.
FirewallRule ParseFirewallRule(std::string_view text);

}  // namespace inventory

// libFuzzer target: a firewall rule's text, its mark and the fields of its line.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FirewallRule.h"
#include "Marks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const inventory::FirewallRule rule =
        inventory::ParseFirewallRule(std::string_view(reinterpret_cast<const char*>(data), size));
    static_cast<void>(inventory::FirewallRuleMark(rule.First("App"), rule.First("Name")));
    for (const char* key : {"Action", "Active", "Dir", "Profile", "LPort", "RA4", "RA6"})
        static_cast<void>(rule.All(key));
    return 0;
}

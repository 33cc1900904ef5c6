#include "Blocks.h"
#include "Values.h"

namespace inventory {
namespace {

std::optional<std::string> Words(std::optional<std::uint32_t> number, const char* zero, const char* one) {
    if (!number || *number > 1) return std::nullopt;
    return *number ? one : zero;
}

}  // namespace

Block ReadFirewallProfiles(Machine& machine) {
    Block block{BlockId::kFirewallProfiles};
    const FirewallPolicy& policy = machine.Firewall();
    if (!policy.profiles.present) block.absent.emplace_back(kFirewallPolicyPath);
    for (const FirewallProfile& profile : policy.profiles.Items(block.errors)) {
        Entry entry{std::nullopt,
                    {{FieldId::kProfile, profile.name},
                     {FieldId::kEnableFirewall, DecimalText(profile.enableFirewall)},
                     {FieldId::kDefaultInboundAction, DecimalText(profile.defaultInboundAction)},
                     {FieldId::kDefaultOutboundAction, DecimalText(profile.defaultOutboundAction)},
                     {FieldId::kDisableNotifications, DecimalText(profile.disableNotifications)},
                     {FieldId::kFirewallState, Words(profile.enableFirewall, "off", "on")},
                     {FieldId::kInboundDefault, Words(profile.defaultInboundAction, "allow", "block")},
                     {FieldId::kOutboundDefault, Words(profile.defaultOutboundAction, "allow", "block")},
                     {FieldId::kNotifications, Words(profile.disableNotifications, "shown", "hidden")}}};
        // Few and telling: the text view shows them whatever they say.
        entry.alwaysShown = true;
        block.entries.push_back(std::move(entry));
    }
    return block;
}

}  // namespace inventory

#include "Blocks.h"
#include "Marks.h"
#include "RegistryText.h"

namespace inventory {
namespace {

std::optional<std::string> Joined(const std::vector<std::string>& values) {
    if (values.empty()) return std::nullopt;
    std::string text;
    for (const std::string& value : values) text += (text.empty() ? "" : ",") + value;
    return text;
}

// The rule's fields by key in the order each key first appears, values in stored order.
std::vector<std::pair<std::string, std::vector<std::string>>> Stored(const FirewallRule& rule) {
    std::vector<std::pair<std::string, std::vector<std::string>>> stored;
    for (const auto& [key, value] : rule.fields) {
        auto same = std::find_if(stored.begin(), stored.end(), [&, &k = key](const auto& s) { return s.first == k; });
        if (same == stored.end()) same = stored.insert(stored.end(), {key, {}});
        same->second.push_back(value);
    }
    if (!rule.unparsed.empty()) stored.emplace_back("unparsed", rule.unparsed);
    return stored;
}

}  // namespace

Block ReadFirewallRules(Machine& machine) {
    Block block{BlockId::kFirewallRules};
    const FirewallPolicy& policy = machine.Firewall();
    if (!policy.rules.present) block.absent.push_back(policy.rules.path);
    for (const StoredFirewallRule& stored : policy.rules.Items(block.errors)) {
        const FirewallRule& rule = stored.rule;
        std::vector<std::string> remote = rule.All("RA4");
        for (std::string& address : rule.All("RA6")) remote.push_back(std::move(address));
        const auto app = rule.First("App");
        const auto name = rule.First("Name");
        Entry entry{FirewallRuleMark(app, name),
                    {{FieldId::kRuleId, stored.id},
                     {FieldId::kRuleVersion, rule.version},
                     {FieldId::kRuleAction, rule.First("Action")},
                     {FieldId::kRuleActive, rule.First("Active")},
                     {FieldId::kRuleDirection, rule.First("Dir")},
                     {FieldId::kRuleProtocol, rule.First("Protocol")},
                     {FieldId::kRuleProfiles, Joined(rule.All("Profile")).value_or("all")},
                     {FieldId::kRuleProgram, app},
                     {FieldId::kRuleService, rule.First("Svc")},
                     {FieldId::kRuleLocalPorts, Joined(rule.All("LPort"))},
                     {FieldId::kRuleRemotePorts, Joined(rule.All("RPort"))},
                     {FieldId::kRuleRemoteAddresses, Joined(remote)},
                     {FieldId::kRuleName, name}}};
        entry.stored = Stored(rule);
        block.entries.push_back(std::move(entry));
    }
    SortEntries(block, FieldId::kRuleId);
    return block;
}

}  // namespace inventory

#include "Blocks.h"
#include "RegistryText.h"

namespace inventory {
namespace {

bool Is(const FirewallRule& rule, std::string_view key, std::string_view value) {
    const auto first = rule.First(key);
    return first && EqualsNoCase(*first, value);
}

// What an agent is silenced with in one netsh line: an active outbound
// block on its program. Windows ships no such rule, and a resource-string
// name is easy to copy, so the mark does not matter.
bool BlocksAProgram(const FirewallRule& rule) {
    return Is(rule, "Action", "Block") && Is(rule, "Active", "TRUE") && Is(rule, "Dir", "Out") && rule.First("App");
}

}  // namespace

Block ReadFirewallSuspicious(Machine& machine) {
    Block block{BlockId::kFirewallSuspicious};
    const FirewallPolicy& policy = machine.Firewall();
    for (const FirewallProfile& profile : policy.profiles.Items(block.errors)) {
        if (profile.enableFirewall != 0u) continue;
        Entry entry{std::nullopt,
                    {{FieldId::kVerdict, "profile-off"},
                     {FieldId::kVerdictSubject, profile.name},
                     {FieldId::kBlockedProgram, std::nullopt},
                     {FieldId::kBlockingRule, std::nullopt}}};
        block.entries.push_back(std::move(entry));
    }
    std::vector<Entry> rules;
    for (const StoredFirewallRule& stored : policy.rules.Items(block.errors)) {
        if (!BlocksAProgram(stored.rule)) continue;
        rules.push_back({std::nullopt,
                         {{FieldId::kVerdict, "rule-blocks"},
                          {FieldId::kVerdictSubject, stored.id},
                          {FieldId::kBlockedProgram, stored.rule.First("App")},
                          {FieldId::kBlockingRule, stored.rule.First("Name")}}});
    }
    std::stable_sort(rules.begin(), rules.end(), [](const Entry& a, const Entry& b) {
        return LessNoCase(*a.Text(FieldId::kVerdictSubject), *b.Text(FieldId::kVerdictSubject));
    });
    for (Entry& rule : rules) block.entries.push_back(std::move(rule));
    return block;
}

}  // namespace inventory

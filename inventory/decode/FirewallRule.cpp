#include "FirewallRule.h"

#include "RegistryText.h"

namespace inventory {

std::optional<std::string> FirewallRule::First(std::string_view key) const {
    for (const auto& [name, value] : fields)
        if (EqualsNoCase(name, key)) return value;
    return std::nullopt;
}

std::vector<std::string> FirewallRule::All(std::string_view key) const {
    std::vector<std::string> values;
    for (const auto& [name, value] : fields)
        if (EqualsNoCase(name, key)) values.push_back(value);
    return values;
}

FirewallRule ParseFirewallRule(std::string_view text) {
    FirewallRule rule;
    bool first = true;
    while (!text.empty()) {
        const std::size_t bar = text.find('|');
        const std::string_view field = text.substr(0, bar);
        text.remove_prefix(bar == std::string_view::npos ? text.size() : bar + 1);
        if (first) {
            rule.version = std::string(field);
            first = false;
        } else if (const std::size_t equals = field.find('='); equals != std::string_view::npos) {
            rule.fields.emplace_back(field.substr(0, equals), field.substr(equals + 1));
        } else if (!field.empty()) {
            rule.unparsed.emplace_back(field);
        }
    }
    return rule;
}

}  // namespace inventory

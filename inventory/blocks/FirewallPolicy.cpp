#include "FirewallPolicy.h"

#include "DecodeError.h"
#include "Values.h"

namespace inventory {

FirewallPolicy FirewallPolicy::Read(const RegistryKey* controlSet) {
    FirewallPolicy policy;
    policy.profiles.path = kFirewallPolicyPath;
    try {
        const auto key = controlSet ? OpenPath(*controlSet, kFirewallPolicyPath) : nullptr;
        policy.profiles.present = key != nullptr;
        const struct {
            const char* keyName;
            const char* name;
        } profiles[] = {{"DomainProfile", "domain"}, {"StandardProfile", "private"}, {"PublicProfile", "public"}};
        for (const auto& [keyName, name] : profiles) {
            if (!key) break;
            try {
                if (const auto profile = key->OpenSubkey(keyName))
                    policy.profiles.Add(
                        {name, ReadNumber(*profile, "EnableFirewall"), ReadNumber(*profile, "DefaultInboundAction"),
                         ReadNumber(*profile, "DefaultOutboundAction"), ReadNumber(*profile, "DisableNotifications")});
            } catch (const ReadError& error) {
                policy.profiles.AddError({std::string(kFirewallPolicyPath) + "\\" + keyName, error.what()});
            }
        }
    } catch (const ReadError& error) {
        policy.profiles.AddError({kFirewallPolicyPath, error.what()});
    }
    policy.rules = ReadValues<StoredFirewallRule>(controlSet, std::string(kFirewallPolicyPath) + "\\FirewallRules",
                                                  [](const std::string& name, const RawValue& value) {
                                                      const std::optional<std::string> text =
                                                          AsText(std::optional<RawValue>(value));
                                                      if (!text) throw DecodeError("not a text value");
                                                      return StoredFirewallRule{name, ParseFirewallRule(*text)};
                                                  });
    return policy;
}

}  // namespace inventory

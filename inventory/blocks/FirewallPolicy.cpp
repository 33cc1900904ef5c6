#include "FirewallPolicy.h"

#include "DecodeError.h"
#include "Values.h"

namespace inventory {

FirewallPolicy FirewallPolicy::Read(const RegistryKey* controlSet) {
    FirewallPolicy policy;
    policy.profiles = ReadKey<FirewallProfile>(
        controlSet, kFirewallPolicyPath, [](const RegistryKey& key, KeyContents<FirewallProfile>& read) {
            const struct {
                const char* keyName;
                const char* name;
            } kinds[] = {{"DomainProfile", "domain"}, {"StandardProfile", "private"}, {"PublicProfile", "public"}};
            for (const auto& [keyName, name] : kinds) {
                try {
                    if (const auto profile = key.OpenSubkey(keyName))
                        read.Add({name, ReadNumber(*profile, "EnableFirewall"),
                                  ReadNumber(*profile, "DefaultInboundAction"),
                                  ReadNumber(*profile, "DefaultOutboundAction"),
                                  ReadNumber(*profile, "DisableNotifications")});
                } catch (const ReadError& error) {
                    read.AddError({read.path + "\\" + keyName, error.what()});
                }
            }
        });
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

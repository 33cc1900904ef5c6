#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>

namespace inventory {

// The curated lists the marks are decided by, and the names of WFP layers
// and conditions; compiled into the program from the files in data/.
class Lists {
public:
    static const Lists& Builtin();

    bool IsWindowsService(std::string_view name) const { return Has(services_, name); }
    bool IsWindowsWinsockDll(std::string_view fileName) const { return Has(winsockDlls_, fileName); }
    bool IsWindowsWfpProvider(std::string_view guid) const { return Has(wfpProviders_, guid); }
    bool IsWindowsNetworkProvider(std::string_view name) const { return Has(networkProviders_, name); }
    // A WFP layer's or condition's name by its GUID ({...}, any case), or empty.
    std::string_view LayerName(std::string_view guid) const { return Name(layers_, guid); }
    std::string_view ConditionName(std::string_view guid) const { return Name(conditions_, guid); }
    // A layer's or condition's GUID by its name, or empty.
    std::string_view LayerGuid(std::string_view name) const;
    std::string_view ConditionGuid(std::string_view name) const;

private:
    Lists();
    static bool Has(const std::set<std::string>& list, std::string_view name);
    static std::string_view Name(const std::map<std::string, std::string>& names, std::string_view guid);

    std::set<std::string> services_;
    std::set<std::string> winsockDlls_;
    std::set<std::string> wfpProviders_;
    std::set<std::string> networkProviders_;
    std::map<std::string, std::string> layers_;
    std::map<std::string, std::string> conditions_;
};

}  // namespace inventory

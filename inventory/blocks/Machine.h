#pragma once

#include <memory>
#include <optional>

#include "DriverPackages.h"
#include "FirewallPolicy.h"
#include "Lists.h"
#include "NetworkConfig.h"
#include "RegistryKey.h"
#include "WfpStore.h"

namespace inventory {

// One machine's SYSTEM registry as the blocks read it. What several blocks
// share (the network components, the WFP objects, the firewall policy) is read once, on first
// use; its items come only together with what of it could not be read
// (KeyContents::Items), so every block whose answer an unreadable key
// changes says so.
class Machine {
public:
    Machine(const RegistryKey& system, std::unique_ptr<RegistryKey> controlSet)
        : system_(system), controlSet_(std::move(controlSet)), packages_(system) {}

    const RegistryKey& System() const { return system_; }
    const RegistryKey* ControlSet() const { return controlSet_.get(); }
    const Lists& lists() const { return Lists::Builtin(); }

    const NetworkConfig& Network() {
        if (!network_) network_ = NetworkConfig::Read(ControlSet());
        return *network_;
    }
    const WfpStore& Wfp() {
        if (!wfp_) wfp_ = WfpStore::Read(ControlSet());
        return *wfp_;
    }
    const FirewallPolicy& Firewall() {
        if (!firewall_) firewall_ = FirewallPolicy::Read(ControlSet());
        return *firewall_;
    }
    DriverPackages& Packages() { return packages_; }

private:
    const RegistryKey& system_;
    std::unique_ptr<RegistryKey> controlSet_;
    std::optional<NetworkConfig> network_;
    std::optional<WfpStore> wfp_;
    std::optional<FirewallPolicy> firewall_;
    DriverPackages packages_;
};

}  // namespace inventory

#pragma once

#include <memory>
#include <string>

#include "DriverPackages.h"
#include "Lists.h"
#include "NetworkConfig.h"
#include "RegistryKey.h"
#include "WfpStore.h"

namespace inventory {

// One machine's SYSTEM registry as the blocks read it.
struct Machine {
    Machine(const RegistryKey& systemKey, std::unique_ptr<RegistryKey> controlSetKey)
        : system(systemKey),
          controlSet(std::move(controlSetKey)),
          network(NetworkConfig::Read(controlSet.get())),
          wfp(WfpStore::Read(controlSet.get())),
          packages(system) {}

    const RegistryKey& system;                // the hive's root, or HKLM\SYSTEM
    std::unique_ptr<RegistryKey> controlSet;  // null when it does not exist
    NetworkConfig network;
    WfpStore wfp;
    DriverPackages packages;
    const Lists& lists = Lists::Builtin();
};

}  // namespace inventory

#include "ReadSource.h"

#include "HiveKind.h"
#include "LiveRegistry.h"

namespace inventory {
namespace {

// What the live registry calls the control set in use.
constexpr char kCurrentControlSet[] = "CurrentControlSet";

}  // namespace

std::string SourceName(const Source& source) {
    return source.kind == Source::Kind::kLocal ? LocalMachineName() : source.name;
}

Report ReadSource(const Source& source, const InventoryProgress& progress) {
    switch (source.kind) {
        case Source::Kind::kLocal:
            return TakeInventory(*OpenLocalSystem(), SourceName(source), kCurrentControlSet, progress);
        case Source::Kind::kRemote:
            return TakeInventory(*OpenRemoteSystem(source.name), SourceName(source), kCurrentControlSet, progress);
        case Source::Kind::kHive:
            break;
    }
    const auto root = LoadHiveFile(source.name);
    if (const HiveKind kind = KindOfHive(*root); kind != HiveKind::kSystem)
        throw ReadError(std::string(HiveKindText(kind)) + ", not a SYSTEM hive");
    return TakeInventory(*root, SourceName(source), std::nullopt, progress);
}

}  // namespace inventory

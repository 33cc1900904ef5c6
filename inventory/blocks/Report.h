#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "KeyContents.h"

namespace inventory {

// os: shipped with Windows; 3p: evidence it was added later; ?: no evidence
// either way (shown like 3p: that is where filters hide).
enum class Mark { kWindows, kThirdParty, kUnknown };
std::string_view MarkText(Mark mark);

// The blocks of a report, in the format's order (BlockTable.h names them).
enum class BlockId {
    kServices,
    kNdisFilters,
    kAdapterFilters,
    kNdisProtocols,
    kWinsockProtocols,
    kWinsockNamespaces,
    kWfpProviders,
    kWfpCallouts,
    kWfpFilters,
    kWfpSuspicious,
    kNetworkProviders,
    kFirewallProfiles,
    kFirewallRules,
    kFirewallSuspicious,
};

// What an entry's field holds. Fields that share a JSON name but print
// differently (a callout's layer is an extra, a filter's is on its line) are
// different fields; how each prints is the output's business.
enum class FieldId {
    // services
    kGroup,
    kName,
    kServiceType,
    kServiceStart,
    kImagePath,
    kDisplayName,
    kServiceTypeText,
    kServiceStartText,
    kDecidingInf,
    // network components and adapters
    kGuid,
    kFilterKind,
    kComponentId,
    kService,
    kFilterClass,
    kFilterMode,
    kFilterRun,
    kBoundAdapters,
    kInfPath,
    kDescription,
    kInstallTime,
    kVendor,
    kAdapter,
    kNetCfgInstanceId,
    kDriverDesc,
    kAdapterFilters,
    // Winsock catalogs
    kCatalog,
    kCatalogEntry,
    kCatalogEntryId,
    kCatalogKind,
    kChain,
    kProviderId,
    kAfTypeProtocol,
    kDll,
    kProtocolName,
    kSupportedNameSpace,
    kEnabled,
    kLibraryPath,
    kDisplayString,
    // WFP objects
    kKey,
    kServiceName,
    kSublayerCount,
    kCalloutCount,
    kFilterCount,
    kLayers,
    kServiceImagePath,
    kServiceDisplayName,
    kProviderKey,
    kCalloutId,
    kApplicableLayer,
    kCalloutLayer,
    kFilterKey,
    kFilterLayer,
    kAction,
    kWeight,
    kConditions,
    kDetail,
    kProviderName,
    kProgram,
    kFilterFlags,
    kSubLayerKey,
    kEffectiveWeight,
    kFilterId,
    kActionKey,
    kProviderContextKey,
    kRawContext,
    kProviderData,
    // network providers
    kPosition,
    kProviderPath,
    // Windows Firewall profiles
    kProfile,
    kEnableFirewall,
    kDefaultInboundAction,
    kDefaultOutboundAction,
    kDisableNotifications,
    kFirewallState,
    kInboundDefault,
    kOutboundDefault,
    kNotifications,
    // Windows Firewall rules
    kRuleId,
    kRuleVersion,
    kRuleAction,
    kRuleActive,
    kRuleDirection,
    kRuleProtocol,
    kRuleProfiles,
    kRuleProgram,
    kRuleService,
    kRuleLocalPorts,
    kRuleRemotePorts,
    kRuleRemoteAddresses,
    kRuleName,
    // firewall verdicts
    kVerdict,
    kVerdictSubject,
    kBlockedProgram,
    kBlockingRule,
    // any entry that is a key of its own: when it was last written (stays last)
    kLastWrite,
};

// Named texts: one item of a list-valued field (a filter's condition).
using Record = std::vector<std::pair<std::string, std::string>>;

struct Field {
    FieldId id;
    std::optional<std::string> value;  // nothing: the registry holds none
    // A list of records, which JSON writes as an array of objects; the other
    // views write the value.
    std::optional<std::vector<Record>> records = std::nullopt;
    // Not a value the registry lacks but one that does not apply (the summary
    // line of WFP objects without a provider has no name to be absent).
    bool notApplicable = false;
};

struct Entry {
    std::optional<Mark> mark;  // unmarked blocks have none
    std::vector<Field> fields;
    // Named values as stored (a firewall rule's fields), beyond the typed
    // fields: JSON writes each under its own name, a name given more than
    // once as a list.
    std::vector<std::pair<std::string, std::vector<std::string>>> stored = {};
    // Worth a look whatever its mark (a layered Winsock provider).
    bool alwaysShown = false;
    // Counted on another entry's line (a third-party WFP provider's callouts
    // and filters): neither shown again by default nor counted again.
    bool folded = false;

    const Field* Find(FieldId id) const;
    // The field's text, or nothing when it is missing or has none.
    std::optional<std::string> Text(FieldId id) const;
};

struct Block {
    explicit Block(BlockId blockId) : id(blockId) {}

    BlockId id;
    std::vector<std::string> absent;
    std::vector<std::string> notes;
    std::vector<Entry> entries;
    std::vector<ErrorLine> errors;
};

// What became of a dirty hive's transaction logs before it was read.
struct LogReplaySummary {
    bool replayed = false;
    std::vector<std::string> logs;  // the logs replayed
    std::size_t applied = 0;
    bool pages = false;  // the old format's 512-byte pages, else log entries
    std::uint32_t firstSequence = 0;
    std::uint32_t lastSequence = 0;
    std::vector<std::string> refused;  // what was left out or why nothing applied
};

// Everything read from one machine's SYSTEM registry, blocks in the format's order.
struct Report {
    std::string hive;
    std::string controlSet;
    std::optional<LogReplaySummary> logReplay;  // for a dirty hive
    std::vector<std::string> notes;
    std::vector<ErrorLine> errors;  // the control set could not be chosen or opened
    std::vector<Block> blocks;

    const Block* Find(BlockId id) const;
};

// Entries marked 3p and ? (not folded into another), verdicts, and distinct
// error lines, across every block.
struct Tally {
    int thirdParty = 0;
    int unknown = 0;
    int suspicious = 0;
    int errors = 0;
};
Tally Count(const Report& report);

}  // namespace inventory

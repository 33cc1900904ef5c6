#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace inventory {

// A transaction log read into memory, named as found beside its hive ("SYSTEM.LOG1").
struct TransactionLog {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

struct ReplayResult {
    enum class Outcome { kClean, kReplayed, kNotReplayed };
    Outcome outcome = Outcome::kClean;
    std::vector<std::string> logsUsed;  // in the order their entries or pages were applied
    bool oldFormat = false;
    std::size_t applied = 0;  // entries (new format) or 512-byte pages (old format)
    std::uint32_t firstSequence = 0, lastSequence = 0;
    // What was refused or left out and why: "SYSTEM.LOG2: bad hash-1 at entry 7",
    // "SYSTEM.LOG1: older than the hive", "sequence gap after 2130", "no log beside the hive".
    std::vector<std::string> refused;
};

// Whether changes may still wait in the hive's transaction logs: its two
// sequence numbers differ or its checksum is wrong. False for bytes that are no
// hive at all; the hive reader says why.
bool IsDirty(const std::uint8_t* hive, std::size_t size);

// Replays the logs into a dirty hive in place; the hive may grow, but never
// past the limit LogReplay.cpp states. A clean hive, or bytes that are no hive,
// are left untouched (kClean), even with logs beside them. Bad bytes in the hive
// or the logs never throw: they are refused, and the result says why.
ReplayResult ReplayLogs(std::vector<std::uint8_t>& hive, const std::vector<TransactionLog>& logs);

// One line for the report: "replayed SYSTEM.LOG1, SYSTEM.LOG2: 24 entries,
// sequence 2107-2130", "replayed SYSTEM.LOG: 12 pages", or why nothing was
// ("the hive is dirty: changes still in its transaction logs are not read (...)");
// empty for a clean hive.
std::string ReplayNote(const ReplayResult& result);

}  // namespace inventory

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ByteView.h"

namespace inventory::logs {

// A page of a new-format entry: where it goes (from the start of the hive
// bins data) and its bytes, which lie inside the log.
struct LogPage {
    std::uint32_t offset;
    ByteView bytes;
};

struct LogEntry {
    std::uint32_t sequence;
    std::uint32_t binsSize;  // the hive bins data size after this entry
    std::vector<LogPage> pages;
};

struct LogEntries {
    std::vector<LogEntry> valid;  // in file order
    // Why reading stopped before the end of the log ("bad hash-1 at entry 7");
    // empty when the entries simply end.
    std::string stop;
};

// The valid entries of a new-format log, up to its first invalid one: later
// bytes are stale. No entry may make the hive bins data larger than binsLimit.
LogEntries ReadLogEntries(ByteView log, std::uint32_t binsLimit);

}  // namespace inventory::logs

// libFuzzer target: the replay of transaction logs into a hive, and its note.
// Input: a flag byte, then the hive and up to three logs, each after its 32-bit
// length (a length past the end takes the rest). Flag bit 0 hashes every entry
// again first, so that mutations reach the checks behind the hashes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "LogReplay.h"
#include "Marvin32.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Get32(const std::uint8_t* at) {
    return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

void Put64(std::uint8_t* at, std::uint64_t value) {
    for (int i = 0; i < 8; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void HashEntries(Bytes& log) {
    for (std::size_t at = 512; at + 512 <= log.size(); at += 512) {
        const std::uint32_t size = Get32(&log[at + 4]);
        if (Get32(&log[at]) != 0x454C7648 || size < 40 || size > log.size() - at) continue;  // "HvLE"
        Put64(&log[at + 24], inventory::logs::Marvin32(&log[at + 40], size - 40));
        Put64(&log[at + 32], inventory::logs::Marvin32(&log[at], 32));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool rehash = data[0] & 1;
    std::vector<Bytes> pieces;
    for (std::size_t at = 1; at + 4 <= size && pieces.size() < 4;) {
        const std::size_t length = std::min<std::size_t>(Get32(data + at), size - at - 4);
        pieces.emplace_back(data + at + 4, data + at + 4 + length);
        at += 4 + length;
    }
    if (pieces.empty()) return 0;
    static const char* const kNames[] = {"SYSTEM.LOG1", "SYSTEM.LOG2", "SYSTEM.LOG"};
    std::vector<inventory::TransactionLog> logs;
    std::size_t growthLimit = pieces.front().size();
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        if (rehash) HashEntries(pieces[i]);
        logs.push_back({kNames[i - 1], pieces[i]});
        growthLimit += pieces[i].size();
    }
    Bytes hive = pieces.front();
    const inventory::ReplayResult result = inventory::ReplayLogs(hive, logs);
    static_cast<void>(inventory::ReplayNote(result));
    // A replayed hive is clean and grew by the logs' size at most; any other is untouched.
    const bool replayed = result.outcome == inventory::ReplayResult::Outcome::kReplayed;
    if (replayed ? inventory::IsDirty(hive.data(), hive.size()) || hive.size() > growthLimit : hive != pieces.front())
        std::abort();
    return 0;
}

#include "LogReplay.h"

#include <algorithm>
#include <optional>

#include "BaseBlock.h"
#include "ByteView.h"
#include "DirtyPages.h"
#include "LogEntries.h"

namespace inventory {
namespace {

using namespace logs;
using Outcome = ReplayResult::Outcome;

// The growth limit. Stable cell indexes are 31 bits, so no hive holds more than
// 2 GiB of bins; and Windows marks a new bin's pages dirty when it grows a hive,
// so every byte a replay adds arrives in a log page. Bins data may therefore
// grow by the logs' total size at most (the file stays within the hive's size
// plus the logs'): a log claiming more is damaged, and would only cost memory.
constexpr std::uint64_t kMaxBinsBytes = 0x80000000;

std::uint32_t BinsLimit(const std::vector<std::uint8_t>& hive, const std::vector<TransactionLog>& logs) {
    std::uint64_t limit = hive.size() - kBaseBlockBytes;
    for (const TransactionLog& log : logs) limit += log.bytes.size();
    return static_cast<std::uint32_t>(std::min(limit, kMaxBinsBytes));
}

ByteView View(const std::vector<std::uint8_t>& bytes) {
    return {bytes.data(), bytes.size()};
}

struct NewFormatLog {
    const TransactionLog* log;
    LogEntries entries;
};

struct OldFormatLog {
    const TransactionLog* log;
    std::uint32_t sequence;
    std::uint32_t binsSize;
    std::vector<DirtyPage> pages;
};

// What the logs beside one hive hold, each log read once.
class Replay {
public:
    Replay(std::vector<std::uint8_t>& hive, const BaseBlock& header, ReplayResult& result)
        : hive_(hive), header_(header), result_(result) {}

    void Read(const TransactionLog& log, std::uint32_t binsLimit) {
        if (log.bytes.empty()) return Refuse(log, "empty");
        const ByteView bytes = View(log.bytes);
        const std::optional<BaseBlock> copy = ReadBaseBlock(bytes);
        if (!copy)
            return Refuse(log, bytes.HasSignature(0, "regf") ? "cut short in its header"
                                                             : "not a transaction log: no regf signature");
        if (copy->fileType == kNewFormatLog) {
            newFormat_.push_back({&log, ReadLogEntries(bytes, binsLimit)});
            if (!newFormat_.back().entries.stop.empty()) Refuse(log, newFormat_.back().entries.stop);
        } else if (copy->fileType != kOldFormatLog) {
            Refuse(log, "not a transaction log: file type " + std::to_string(copy->fileType));
        } else if (copy->primarySequence != copy->secondarySequence) {
            Refuse(log, "its sequence numbers differ");
        } else if (copy->lastWritten != header_.lastWritten) {
            Refuse(log, "written at another time than the hive");
        } else {
            try {
                oldFormat_.push_back(
                    {&log, copy->primarySequence, copy->binsSize, ReadDirtyPages(bytes, copy->binsSize, binsLimit)});
            } catch (const LogFormatError& error) {
                Refuse(log, error.what());
            }
        }
    }

    bool ApplyNewFormat() {
        struct Pending {
            const LogEntry* entry;
            const TransactionLog* log;
        };
        std::vector<Pending> pending;
        for (const NewFormatLog& read : newFormat_) {
            const std::size_t before = pending.size();
            for (const LogEntry& entry : read.entries.valid)
                if (entry.sequence >= header_.secondarySequence) pending.push_back({&entry, read.log});
            if (pending.size() > before) continue;
            if (!read.entries.valid.empty())
                Refuse(*read.log, "older than the hive");
            else if (read.entries.stop.empty())
                Refuse(*read.log, "no log entries");
        }
        if (pending.empty()) return false;
        // Sequence order, whichever log holds an entry; from the first, without a gap.
        std::stable_sort(pending.begin(), pending.end(),
                         [](const Pending& a, const Pending& b) { return a.entry->sequence < b.entry->sequence; });
        result_.firstSequence = pending.front().entry->sequence;
        std::uint32_t binsSize = 0;
        for (const Pending& next : pending) {
            if (result_.applied > 0 && next.entry->sequence != result_.lastSequence + 1) {
                result_.refused.push_back(next.entry->sequence == result_.lastSequence
                                              ? "sequence " + std::to_string(next.entry->sequence) + " twice"
                                              : "sequence gap after " + std::to_string(result_.lastSequence));
                break;
            }
            Grow(next.entry->binsSize);
            for (const LogPage& page : next.entry->pages)
                std::copy_n(page.bytes.Data(), page.bytes.Size(), hive_.begin() + kBaseBlockBytes + page.offset);
            Used(*next.log);
            binsSize = next.entry->binsSize;
            result_.lastSequence = next.entry->sequence;
            ++result_.applied;
        }
        StampBaseBlock(hive_.data(), result_.lastSequence, binsSize);
        return true;
    }

    // The newest old-format log that belongs to this hive's last write.
    bool ApplyOldFormat() {
        if (oldFormat_.empty()) return false;
        const OldFormatLog& log =
            *std::max_element(oldFormat_.begin(), oldFormat_.end(),
                              [](const OldFormatLog& a, const OldFormatLog& b) { return a.sequence < b.sequence; });
        Grow(log.binsSize);
        for (const DirtyPage& page : log.pages)
            std::copy_n(page.bytes.Data(), page.bytes.Size(),
                        hive_.data() + kBaseBlockBytes + std::size_t{page.index} * kDirtyPageBytes);
        StampBaseBlock(hive_.data(), log.sequence, log.binsSize);
        Used(*log.log);
        result_.oldFormat = true;
        result_.applied = log.pages.size();
        result_.firstSequence = result_.lastSequence = log.sequence;
        return true;
    }

private:
    void Refuse(const TransactionLog& log, const std::string& why) { result_.refused.push_back(log.name + ": " + why); }

    void Used(const TransactionLog& log) {
        if (std::find(result_.logsUsed.begin(), result_.logsUsed.end(), log.name) == result_.logsUsed.end())
            result_.logsUsed.push_back(log.name);
    }

    // New bytes are zero; binsSize is within the growth limit.
    void Grow(std::uint32_t binsSize) {
        if (hive_.size() < kBaseBlockBytes + binsSize) hive_.resize(kBaseBlockBytes + binsSize, 0);
    }

    std::vector<std::uint8_t>& hive_;
    const BaseBlock& header_;
    ReplayResult& result_;
    std::vector<NewFormatLog> newFormat_;
    std::vector<OldFormatLog> oldFormat_;
};

}  // namespace

bool IsDirty(const std::uint8_t* hive, std::size_t size) {
    const std::optional<BaseBlock> header = ReadBaseBlock(ByteView(hive, size));
    return header && size >= kBaseBlockBytes && header->fileType == kHiveFile && header->Dirty();
}

ReplayResult ReplayLogs(std::vector<std::uint8_t>& hive, const std::vector<TransactionLog>& logs) {
    ReplayResult result;
    if (!IsDirty(hive.data(), hive.size())) return result;
    const BaseBlock header = *ReadBaseBlock(View(hive));
    Replay replay(hive, header, result);
    const std::uint32_t binsLimit = BinsLimit(hive, logs);
    for (const TransactionLog& log : logs) replay.Read(log, binsLimit);
    if (replay.ApplyNewFormat() || replay.ApplyOldFormat()) {
        result.outcome = Outcome::kReplayed;
        return result;
    }
    result.outcome = Outcome::kNotReplayed;
    if (logs.empty()) result.refused.emplace_back("no log beside the hive");
    // Then it may be damaged rather than left behind by an interrupted write.
    if (header.primarySequence == header.secondarySequence)
        result.refused.insert(result.refused.begin(), "the hive's checksum is wrong, its sequence numbers agree");
    return result;
}

}  // namespace inventory

#include "DamagedHive.h"

#include <cstring>
#include <random>

namespace inventory::test {
namespace {

constexpr std::size_t kBinsStart = 4096;

std::uint32_t Load32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::uint32_t value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

void Store32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    if (at + 4 <= bytes.size()) std::memcpy(bytes.data() + at, &value, 4);
}

// The file offsets of the used cells of each kind, found by walking the bins.
struct Cells {
    std::vector<std::size_t> keys, values, lists, all;
};

Cells FindCells(const std::vector<std::uint8_t>& hive) {
    Cells cells;
    for (std::size_t bin = kBinsStart; bin + 32 <= hive.size() && std::memcmp(&hive[bin], "hbin", 4) == 0;) {
        const std::size_t binSize = Load32(hive, bin + 8);
        if (binSize < 32 || bin + binSize > hive.size()) break;
        for (std::size_t cell = bin + 32; cell + 8 <= bin + binSize;) {
            const auto size = static_cast<std::int32_t>(Load32(hive, cell));
            const std::size_t length = static_cast<std::size_t>(size < 0 ? -static_cast<std::int64_t>(size) : size);
            if (length < 8) break;
            if (size < 0) {
                cells.all.push_back(cell);
                const char* kind = reinterpret_cast<const char*>(&hive[cell + 4]);
                if (!std::memcmp(kind, "nk", 2)) cells.keys.push_back(cell);
                if (!std::memcmp(kind, "vk", 2)) cells.values.push_back(cell);
                if (!std::memcmp(kind, "lf", 2) || !std::memcmp(kind, "lh", 2) || !std::memcmp(kind, "li", 2) ||
                    !std::memcmp(kind, "ri", 2))
                    cells.lists.push_back(cell);
            }
            cell += length;
        }
        bin += binSize;
    }
    return cells;
}

void FixChecksum(std::vector<std::uint8_t>& hive) {
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < 508; at += 4) sum ^= Load32(hive, at);
    Store32(hive, 508, sum == 0xFFFFFFFF ? 0xFFFFFFFE : sum == 0 ? 1 : sum);
}

class Damager {
public:
    Damager(std::vector<std::uint8_t>& hive, std::uint32_t seed)
        : hive_(hive), random_(seed), cells_(FindCells(hive)) {}

    std::string DamageOnce() {
        switch (Below(6)) {
            case 0:
                return FlipBytes();
            case 1:
                return BreakKey();
            case 2:
                return BreakValue();
            case 3:
                return LoopList();
            case 4:
                return BreakCellSize();
            default:
                return CutShort();
        }
    }

private:
    std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }
    std::size_t Pick(const std::vector<std::size_t>& from) {
        return from.empty() ? kBinsStart : from[Below(from.size())];
    }

    // A bad 32-bit field: zero, all ones, huge, just past the file, or anything.
    std::uint32_t BadNumber() {
        const std::uint32_t past = static_cast<std::uint32_t>(hive_.size() - kBinsStart);
        const std::uint32_t choices[] = {
            0, 0xFFFFFFFF, 0x7FFFFFFF, 0x80000000, past, past + 8, static_cast<std::uint32_t>(random_())};
        return choices[Below(std::size(choices))];
    }

    std::string FlipBytes() {
        const std::size_t count = 1 + Below(16);
        for (std::size_t i = 0; i < count; ++i)
            hive_[kBinsStart + Below(hive_.size() - kBinsStart)] = static_cast<std::uint8_t>(random_());
        return "flipped " + std::to_string(count) + " bytes; ";
    }

    std::string BreakKey() {
        // Counts and offsets of an nk record: subkeys, subkey list, values, value list, class, security.
        static constexpr std::size_t kFields[] = {20, 28, 36, 40, 44, 48};
        const std::size_t cell = Pick(cells_.keys), field = kFields[Below(std::size(kFields))];
        Store32(hive_, cell + 4 + field, BadNumber());
        return "key field +" + std::to_string(field) + " at " + std::to_string(cell) + "; ";
    }

    std::string BreakValue() {
        // vk record: name length (16 bits) and flags share a word with others; data length, data offset, type.
        static constexpr std::size_t kFields[] = {4, 8, 12};
        const std::size_t cell = Pick(cells_.values), field = kFields[Below(std::size(kFields))];
        Store32(hive_, cell + 4 + field, BadNumber());
        if (Below(4) == 0) hive_[cell + 6] = 0xFF;  // a name longer than the cell
        return "value field +" + std::to_string(field) + " at " + std::to_string(cell) + "; ";
    }

    // A subkey list entry pointing back at the root key, at the list itself or
    // at another list: a walk that follows it never ends.
    std::string LoopList() {
        if (cells_.lists.empty()) return FlipBytes();
        const std::size_t list = Pick(cells_.lists);
        const bool hashed = hive_[list + 5] == 'f' || hive_[list + 5] == 'h';
        const std::size_t count = hive_[list + 6] | (hive_[list + 7] << 8);
        if (count == 0) return FlipBytes();
        const std::size_t entry = list + 8 + Below(count) * (hashed ? 8 : 4);
        const std::uint32_t targets[] = {Load32(hive_, 36), static_cast<std::uint32_t>(list - kBinsStart),
                                         static_cast<std::uint32_t>(Pick(cells_.lists) - kBinsStart)};
        Store32(hive_, entry, targets[Below(std::size(targets))]);
        return "subkey list loop at " + std::to_string(list) + "; ";
    }

    std::string BreakCellSize() {
        const std::size_t cell = Pick(cells_.all);
        const std::uint32_t sizes[] = {0, 4, 0x7FFFFFF8, 0x80000008, BadNumber()};
        Store32(hive_, cell, sizes[Below(std::size(sizes))]);
        return "cell size at " + std::to_string(cell) + "; ";
    }

    // Cut inside the bins, the header made to agree so the library opens it.
    std::string CutShort() {
        const std::size_t bins = (hive_.size() - kBinsStart) / 4096;
        if (bins < 2) return FlipBytes();
        const std::size_t keep = kBinsStart + 4096 * (1 + Below(bins - 1)) + (Below(2) ? Below(4096) : 0);
        hive_.resize(keep);
        Store32(hive_, 40, static_cast<std::uint32_t>((keep - kBinsStart) / 4096 * 4096));
        FixChecksum(hive_);
        cells_ = FindCells(hive_);
        return "cut to " + std::to_string(keep) + " bytes; ";
    }

    std::vector<std::uint8_t>& hive_;
    std::mt19937 random_;
    Cells cells_;
};

}  // namespace

std::vector<std::uint8_t> DamageHive(const std::vector<std::uint8_t>& intact, std::uint32_t seed, std::string& what) {
    std::vector<std::uint8_t> hive = intact;
    Damager damager(hive, seed);
    what.clear();
    for (std::uint32_t times = 1 + seed % 3; times > 0; --times) what += damager.DamageOnce();
    return hive;
}

std::vector<std::uint8_t> DamageLog(std::vector<std::uint8_t> log, std::uint32_t seed, std::string& what) {
    constexpr std::size_t kFirstEntry = 512;
    std::mt19937 random(seed);
    const auto below = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    switch (below(3)) {
        case 0:
            log.resize(below(log.size()));
            what = "log cut to " + std::to_string(log.size()) + " bytes";
            break;
        case 1:
            for (int i = 0; i < 8; ++i) log[below(log.size())] = static_cast<std::uint8_t>(random());
            what = "8 log bytes flipped";
            break;
        default: {
            static constexpr std::size_t kFields[] = {4, 12, 16, 20, 40, 44};  // size .. the first page reference
            static constexpr std::uint32_t kHostile[] = {0, 1, 0x1000, 0x7FFFF000, 0x80000000, 0xFFFFFFFF, 0xFFFFF000};
            const std::size_t at = kFirstEntry + kFields[below(std::size(kFields))];
            const std::uint32_t value = kHostile[below(std::size(kHostile))];
            Store32(log, at, value);
            what = "log entry field at " + std::to_string(at) + " set to " + std::to_string(value);
        }
    }
    return log;
}

}  // namespace inventory::test

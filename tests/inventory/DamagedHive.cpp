#include "DamagedHive.h"

#include <cstring>
#include <random>

#include "LogWriter.h"

namespace inventory::test {
namespace {

constexpr std::size_t kBinsStart = 4096;

std::uint32_t Load32(const Bytes& bytes, std::size_t at) {
    std::uint32_t value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

void Store32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    if (at + 4 <= bytes.size()) std::memcpy(bytes.data() + at, &value, 4);
}

// The file offsets of the used cells of each kind, found by walking the bins.
struct Cells {
    std::vector<std::size_t> keys, values, lists, all;
};

Cells FindCells(const Bytes& hive) {
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
                const std::string kind(reinterpret_cast<const char*>(&hive[cell + 4]), 2);
                if (kind == "nk") cells.keys.push_back(cell);
                if (kind == "vk") cells.values.push_back(cell);
                if (kind == "lf" || kind == "lh" || kind == "li" || kind == "ri") cells.lists.push_back(cell);
            }
            cell += length;
        }
        bin += binSize;
    }
    return cells;
}

class Damager {
public:
    Damager(Bytes& hive, std::uint32_t seed) : hive_(hive), random_(seed), cells_(FindCells(hive)) {}

    std::string DamageOnce() {
        switch (Below(6)) {
            case 0:
                return FlipBytes();
            case 1:
                return LoopList();
            case 2:
                return CutShort();
            default:
                return BreakField();
        }
    }

private:
    std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }
    std::size_t Pick(const std::vector<std::size_t>& from) {
        return from.empty() ? kBinsStart : from[Below(from.size())];
    }

    std::string FlipBytes() {
        const std::size_t count = 1 + Below(16);
        for (std::size_t i = 0; i < count; ++i)
            hive_[kBinsStart + Below(hive_.size() - kBinsStart)] = static_cast<std::uint8_t>(random_());
        return "flipped " + std::to_string(count) + " bytes; ";
    }

    // A field of a cell set to a bad number (zero, all ones, huge, just past
    // the file, or anything): an nk record's counts and offsets (subkeys,
    // subkey list, values, value list, class, security), a vk record's data
    // length, data offset and type, or any cell's size.
    std::string BreakField() {
        static constexpr std::size_t kKeyFields[] = {24, 32, 40, 44, 48, 52}, kValueFields[] = {8, 12, 16};
        const std::uint32_t past = static_cast<std::uint32_t>(hive_.size() - kBinsStart);
        const std::uint32_t bad[] = {
            0,          4,          0x7FFFFFF8, 0x80000008, 0xFFFFFFFF,
            0x7FFFFFFF, 0x80000000, past,       past + 8,   static_cast<std::uint32_t>(random_())};
        const std::size_t kind = Below(3);
        const std::size_t cell = Pick(kind == 0 ? cells_.keys : kind == 1 ? cells_.values : cells_.all);
        const std::size_t field = kind == 0 ? kKeyFields[Below(6)] : kind == 1 ? kValueFields[Below(3)] : 0;
        Store32(hive_, cell + field, bad[Below(std::size(bad))]);
        if (kind == 1 && Below(4) == 0) hive_[cell + 6] = 0xFF;  // a name longer than the cell
        return "field +" + std::to_string(field) + " of the cell at " + std::to_string(cell) + "; ";
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

    // Cut inside the bins, the header made to agree so the library opens it.
    std::string CutShort() {
        const std::size_t bins = (hive_.size() - kBinsStart) / 4096;
        if (bins < 2) return FlipBytes();
        const std::size_t keep = kBinsStart + 4096 * (1 + Below(bins - 1)) + (Below(2) ? Below(4096) : 0);
        hive_.resize(keep);
        SetHeaderField(hive_, 40, static_cast<std::uint32_t>((keep - kBinsStart) / 4096 * 4096));
        cells_ = FindCells(hive_);
        return "cut to " + std::to_string(keep) + " bytes; ";
    }

    Bytes& hive_;
    std::mt19937 random_;
    Cells cells_;
};

}  // namespace

Bytes DamageHive(const Bytes& intact, std::uint32_t seed, std::string& what) {
    Bytes hive = intact;
    Damager damager(hive, seed);
    what.clear();
    for (std::uint32_t times = 1 + seed % 3; times > 0; --times) what += damager.DamageOnce();
    return hive;
}

Bytes DamageLog(Bytes log, std::uint32_t seed, std::string& what) {
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

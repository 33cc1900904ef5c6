#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "BlockTable.h"
#include "HiveFile.h"
#include "Inventory.h"
#include "InventoryCases.h"
#include "IsolatedRunner.h"
#include "LogWriter.h"
#include "Render.h"
#include "TestHive.h"

namespace inventory::test {
namespace {

constexpr std::size_t kBinsStart = 4096;

void Store32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    if (at + 4 <= bytes.size()) std::memcpy(bytes.data() + at, &value, 4);
}

// The file offsets of the used cells whose kind ("nk", "vk", "lf"...) is
// among kinds, or of every used cell for "", found by walking the bins.
std::vector<std::size_t> FindCells(const Bytes& hive, std::string_view kinds) {
    std::vector<std::size_t> cells;
    for (std::size_t bin = kBinsStart; bin + 32 <= hive.size() && std::memcmp(&hive[bin], "hbin", 4) == 0;) {
        const std::size_t binSize = Load32(hive, bin + 8);
        if (binSize < 32 || bin + binSize > hive.size()) break;
        for (std::size_t cell = bin + 32; cell + 8 <= bin + binSize;) {
            const auto size = static_cast<std::int32_t>(Load32(hive, cell));
            const std::size_t length = static_cast<std::size_t>(size < 0 ? -static_cast<std::int64_t>(size) : size);
            if (length < 8) break;
            const std::string_view kind(reinterpret_cast<const char*>(&hive[cell + 4]), 2);
            if (size < 0 && (kinds.empty() || kinds.find(kind) != std::string_view::npos)) cells.push_back(cell);
            cell += length;
        }
        bin += binSize;
    }
    return cells;
}

// A hive damaged the ways real ones are and hostile ones are made, one to
// three times: bytes flipped; a subkey list entry pointing back at the root
// key, at the list itself or at another list (a walk that follows it never
// ends); the file cut inside the bins, the header made to agree so that the
// library opens it; or, half of the time, a field of a cell set to a bad
// number (zero, all ones, huge, just past the file, or anything): an nk
// record's counts and offsets (subkeys, subkey list, values, value list,
// class, security), a vk record's data length, data offset and type, or any
// cell's size. The same seed gives the same damage; `what` says what was done.
Bytes DamageHive(Bytes hive, std::uint32_t seed, std::string& what) {
    std::mt19937 random(seed);
    const auto below = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    const auto pick = [&](const std::vector<std::size_t>& from) {
        return from.empty() ? kBinsStart : from[below(from.size())];
    };
    what.clear();
    for (std::uint32_t times = 1 + seed % 3; times > 0; --times) {
        const std::size_t damage = below(6), bins = (hive.size() - kBinsStart) / 4096;
        const std::vector<std::size_t> lists = FindCells(hive, "lf lh li ri");
        const std::size_t list = pick(lists), count = lists.empty() ? 0 : hive[list + 6] | (hive[list + 7] << 8);
        if (damage == 0 && count > 0) {
            const bool hashed = hive[list + 5] == 'f' || hive[list + 5] == 'h';
            const std::uint32_t targets[] = {Load32(hive, 36), static_cast<std::uint32_t>(list - kBinsStart),
                                             static_cast<std::uint32_t>(pick(lists) - kBinsStart)};
            Store32(hive, list + 8 + below(count) * (hashed ? 8 : 4), targets[below(std::size(targets))]);
            what += "subkey list loop at " + std::to_string(list) + "; ";
        } else if (damage == 1 && bins >= 2) {
            const std::size_t keep = kBinsStart + 4096 * (1 + below(bins - 1)) + (below(2) ? below(4096) : 0);
            hive.resize(keep);
            SetHeaderField(hive, 40, static_cast<std::uint32_t>((keep - kBinsStart) / 4096 * 4096));
            what += "cut to " + std::to_string(keep) + " bytes; ";
        } else if (damage >= 3) {
            static constexpr std::size_t kKeyFields[] = {24, 32, 40, 44, 48, 52}, kValueFields[] = {8, 12, 16};
            const std::uint32_t past = static_cast<std::uint32_t>(hive.size() - kBinsStart);
            const std::uint32_t bad[] = {
                0,          4,          0x7FFFFFF8, 0x80000008, 0xFFFFFFFF,
                0x7FFFFFFF, 0x80000000, past,       past + 8,   static_cast<std::uint32_t>(random())};
            const std::size_t kind = below(3);  // a key's, a value's, any cell's
            const std::size_t cell = pick(FindCells(hive, kind == 0 ? "nk" : kind == 1 ? "vk" : ""));
            const std::size_t field = kind == 0 ? kKeyFields[below(6)] : kind == 1 ? kValueFields[below(3)] : 0;
            Store32(hive, cell + field, bad[below(std::size(bad))]);
            if (kind == 1 && below(4) == 0) hive[cell + 6] = 0xFF;  // a name longer than the cell
            what += "field +" + std::to_string(field) + " of the cell at " + std::to_string(cell) + "; ";
        } else {
            const std::size_t flips = 1 + below(16);
            for (std::size_t i = 0; i < flips; ++i)
                hive[kBinsStart + below(hive.size() - kBinsStart)] = static_cast<std::uint8_t>(random());
            what += "flipped " + std::to_string(flips) + " bytes; ";
        }
    }
    return hive;
}

// A new-format transaction log damaged by seed: cut short, bytes flipped, or
// a field of its first entry's header (size, sequence, bins size, page count,
// a page reference) set to a hostile number and hashed again, so that the
// damage meets the checks behind the hashes.
Bytes DamageLog(NewFormatLog log, std::uint32_t seed, std::string& what) {
    std::mt19937 random(seed);
    const auto below = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    static constexpr std::size_t kFields[] = {4, 12, 16, 20, 40, 44};
    static constexpr std::uint32_t kHostile[] = {0, 1, 0x1000, 0x7FFFF000, 0x80000000, 0xFFFFFFFF, 0xFFFFF000};
    switch (below(3)) {
        case 0:
            log.bytes.resize(below(log.bytes.size()));
            what = "log cut to " + std::to_string(log.bytes.size()) + " bytes";
            break;
        case 1:
            for (int i = 0; i < 8; ++i) log.bytes[below(log.bytes.size())] = static_cast<std::uint8_t>(random());
            what = "8 log bytes flipped";
            break;
        default: {
            const std::size_t at = kFields[below(std::size(kFields))];
            const std::uint32_t value = kHostile[below(std::size(kHostile))];
            SetEntryField(log, 0, at, value);
            what = "log entry field +" + std::to_string(at) + " set to " + std::to_string(value);
        }
    }
    return log.bytes;
}

constexpr unsigned kSecondsPerHive = 10;

// Every made-up registry of the cases in one hive: each block has entries.
std::string EveryCaseKeys() {
    std::string keys = "[Select]\nCurrent=dword:1\n";
    for (const InventoryCase& row : InventoryCases())
        if (!row.offlineOnly) keys += row.keys + "\n";
    return keys;
}

unsigned EnvironmentNumber(const char* name, unsigned fallback) {
    const char* text = std::getenv(name);
    return text ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : fallback;
}

// Ends the test program, naming the seed, when one hive takes too long.
char gHung[64];

void GiveUp(int) {
    (void)!write(STDERR_FILENO, gHung, std::strlen(gHung));
    _exit(3);
}

// QUILLMARK_HIVE_SEEDS=n reads n damaged hives (a soak); QUILLMARK_HIVE_SEED=s replays one.
TEST(DamagedHives, AreReadWithoutCrashHangOrSanitizerReport) {
    const std::string keys = EveryCaseKeys();
    const Bytes bytes = TestHive(keys).Bytes();
    // Every fourth hive is dirty, with a damaged log beside it that would
    // take it from a few of the cases' keys to all of them.
    Bytes dirty = TestHive(keys.substr(0, keys.rfind('\n', 4000))).Bytes();
    SetHeaderField(dirty, 8, 100);
    SetHeaderField(dirty, 4, 101);
    const NewFormatLog log = WriteNewFormatLog(dirty, {{100, &dirty, &bytes}});
    const std::string folder = MakeScratchFolder(), path = folder + "/SYSTEM";
    const unsigned first = EnvironmentNumber("QUILLMARK_HIVE_SEED", 1);
    const unsigned count = std::getenv("QUILLMARK_HIVE_SEED") ? 1 : EnvironmentNumber("QUILLMARK_HIVE_SEEDS", 300);
    std::signal(SIGALRM, GiveUp);
    int opened = 0;
    for (unsigned seed = first; seed < first + count; ++seed) {
        std::string what;
        if (seed % 4 == 0) {
            WriteFile(path, dirty);
            WriteFile(path + ".LOG1", DamageLog(log, seed, what));
        } else {
            std::remove((path + ".LOG1").c_str());
            WriteFile(path, DamageHive(bytes, seed, what));
        }
        SCOPED_TRACE("seed " + std::to_string(seed) + ": " + what);
        std::snprintf(gHung, sizeof gHung, "damaged hive of seed %u hung\n", seed);
        alarm(kSecondsPerHive);
        try {
            const HiveFile hive(path);
            const Report report = TakeInventory(*hive.Root(), path);
            EXPECT_EQ(BlockKinds().size(), report.blocks.size());
            // What could not be read is said, and the status says the answer is incomplete.
            const std::string lines = RenderTsv(report);
            EXPECT_EQ(lines.find("\nerror\t") != std::string::npos, StatusOf(report) == kTrouble) << lines;
            for (const Format format : {Format::kText, Format::kJsonl})
                EXPECT_FALSE(RenderReport(report, {format, true}).empty());
            ++opened;
        } catch (const ReadError&) {
            // Refused as a whole: the command line reports it as such.
        }
    }
    alarm(0);
    RemoveTree(folder);
    // Most damage leaves a hive that opens: the blocks, not the checks at the door, took it.
    EXPECT_GT(opened, static_cast<int>(count) / 2);
}

// A crash or hang in the hive library costs one hive, not the batch, and
// the hives are reported in the order given.
TEST(IsolatedRunner, OutlivesCrashesAndHangsAndKeepsTheOrder) {
    const IsolatedRunner runner(3, std::chrono::milliseconds(1500));
    std::vector<std::string> outputs;
    runner.Run(
        5,
        [](std::size_t index) -> HiveOutcome {
            if (index == 1) std::abort();
            if (index == 2) sleep(30);
            if (index == 3) std::exit(7);
            if (index == 0) usleep(300000);  // finishes after the ones behind it
            return {"read " + std::to_string(index), kSomethingFound, "", ""};
        },
        [](std::size_t index, const std::string& reason) {
            return HiveOutcome{std::to_string(index) + ": " + reason, kTrouble, reason, ""};
        },
        [&](std::size_t index, HiveOutcome outcome) {
            EXPECT_EQ(outputs.size(), index);
            outputs.push_back(outcome.output);
        });
    EXPECT_EQ((std::vector<std::string>{"read 0", "1: reading crashed (Aborted): the hive is damaged",
                                        "2: gave up after 1 s (hive reading hung)", "3: reading failed (exit status 7)",
                                        "read 4"}),
              outputs);
}

}  // namespace
}  // namespace inventory::test

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "BlockTable.h"
#include "DamagedHive.h"
#include "HiveFile.h"
#include "Inventory.h"
#include "InventoryCases.h"
#include "IsolatedRunner.h"
#include "Render.h"
#include "TestHive.h"

namespace inventory::test {
namespace {

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
    const Bytes log = WriteNewFormatLog(dirty, {{100, &dirty, &bytes}}).bytes;
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

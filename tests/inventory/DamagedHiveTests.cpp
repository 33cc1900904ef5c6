#include <gtest/gtest.h>

#include <unistd.h>

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
#include "Render.h"
#include "RunProgram.h"
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

// The batch reads each hive in a process of its own: whatever the damaged
// ones do, the intact ones between them are reported as when read alone.
TEST(DamagedHives, LeaveTheIntactHivesOfABatchAsTheyAre) {
    const Bytes bytes = TestHive(EveryCaseKeys()).Bytes();
    const std::string folder = MakeScratchFolder();
    std::string arguments = "--format tsv --timeout 20";
    for (unsigned seed = 1; seed <= 24; ++seed) {
        std::string what;
        const std::string name = "hive" + std::to_string(seed);
        WriteFile(folder + "/" + name, seed % 8 == 0 ? bytes : DamageHive(bytes, seed, what));
        arguments += " " + name;
    }
    const ProgramRun alone = RunInventory(folder, "--format tsv hive8");
    const ProgramRun batch = RunInventory(folder, arguments);
    RemoveTree(folder);
    EXPECT_EQ(2, batch.status);
    for (const char* name : {"hive8", "hive16", "hive24"}) {
        const std::string report = "hive\t" + std::string(name) + alone.out.substr(alone.out.find('\n'));
        EXPECT_NE(std::string::npos, batch.out.find(report)) << name;
    }
    std::size_t hives = 0;
    for (std::size_t at = 0; (at = batch.out.find("hive\thive", at)) != std::string::npos; ++at) ++hives;
    EXPECT_EQ(24u, hives);
}

}  // namespace
}  // namespace inventory::test

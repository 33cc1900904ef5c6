#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "FuzzSeeds.h"
#include "LogReplay.h"
#include "LogWriter.h"
#include "Marvin32.h"
#include "RegistryKey.h"
#include "TestHive.h"

namespace inventory::test {
namespace {

TEST(LogReplay, Marvin32GivesThePublishedHashes) {
    const struct {
        Bytes input;
        std::uint64_t hash;
    } rows[] = {{{}, 0x30ED35C100CD3C7D},
                {{0xaf}, 0x48E73FC77D75DDC1},
                {{0xe7, 0x0f}, 0xB5F6E1FC485DBFF8},
                {{0x37, 0xf4, 0x95}, 0xF0B07C789B8CF7E8},
                {{0x86, 0x42, 0xdc, 0x59}, 0x7008F2E87E9CF556},
                {{0xab, 0x42, 0x7e, 0xa8, 0xd1, 0x0f, 0xc7}, 0xE11847E4F0678C41}};
    for (const auto& row : rows)
        EXPECT_EQ(row.hash, logs::Marvin32(row.input.data(), row.input.size(), 0x004FB61A001BDBCC))
            << row.input.size() << " bytes";
}

// What a replay must take from a later state: the header's root key offset
// and hive bins data size, and the hive bins data byte for byte.
std::string Bins(const Bytes& hive) {
    return std::string(hive.begin() + 36, hive.begin() + 44) + std::string(hive.begin() + 4096, hive.end());
}

TEST(LogReplay, RecoversWhatTheLogsHoldAndSaysWhy) {
    constexpr std::uint32_t kSequence = 2107;  // the hive's secondary sequence number
    // A hive's history as hivex writes it: each state has the keys of the one
    // before and one more (states 1 and 3 a large value, which grows the
    // hive); big has over 2 MB of hive bins data.
    std::vector<TextKey> keys = ParseRegText("[ControlSet001\\Services\\Base]\nStart=dword:2\n");
    std::vector<Bytes> s = {TestHive(keys).Bytes()};
    for (const TextKey& key : {TextKey{"Grown", {{"Blob", kRegBinary, Bytes(6000, 0x5A)}}},
                               TextKey{"Second", {{"", kRegDword, {2, 0, 0, 0}}}},
                               TextKey{"Third", {{"Name", kRegBinary, Bytes(5000, 3)}}}}) {
        keys.push_back(key);
        s.push_back(TestHive(keys).Bytes());
    }
    TextKey bigKey{"Big", {}};
    for (int i = 0; i < 140; ++i) bigKey.values.push_back({"V" + std::to_string(i), kRegBinary, Bytes(16000, i)});
    const Bytes big = TestHive({bigKey}).Bytes();
    const auto dirty = [](Bytes hive, std::uint32_t secondary, std::uint32_t primary) {
        SetHeaderField(hive, 8, secondary);
        SetHeaderField(hive, 4, primary);
        return hive;
    };
    const Bytes hive = dirty(s[0], kSequence, kSequence + 1);
    const auto newLog = [&](std::vector<int> steps) {  // entry kSequence + i takes state i to i + 1
        std::vector<HiveChange> changes;
        for (const int i : steps) changes.push_back({kSequence + i, &s[i], &s[i + 1]});
        return WriteNewFormatLog(hive, changes);
    };
    const NewFormatLog full = newLog({0, 1, 2});
    const auto damaged = [&](std::function<void(NewFormatLog&)> damage) {
        NewFormatLog log = full;
        damage(log);
        return log.bytes;
    };
    const auto field = [&](std::size_t at, std::uint32_t value) {  // of the second entry
        return damaged([=](NewFormatLog& log) { SetEntryField(log, 1, at, value); });
    };
    const OldFormatLog old = WriteOldFormatLog(hive, s[1], kSequence + 1);
    const OldFormatLog oldBig = WriteOldFormatLog(hive, big, kSequence + 1);
    const auto cut = [](Bytes bytes, std::size_t size) {
        bytes.resize(size);
        return bytes;
    };
    Bytes staleOld = old.bytes, badChecksum = dirty(s[0], kSequence + 3, kSequence + 3), random(3000);
    SetHeaderField(staleOld, 12, 1);
    badChecksum[508] ^= 1;
    for (std::size_t i = 0; i < random.size(); ++i) random[i] = static_cast<std::uint8_t>(i * 7919 >> 3);

    const auto notRead = [](const std::string& why) {
        return "the hive is dirty: changes still in its transaction logs are not read (" + why + ")";
    };
    const auto leftOut = [](const std::string& why) {  // of entry 2
        return "replayed SYSTEM.LOG1: 1 entry, sequence 2107 (left out: SYSTEM.LOG1: " + why + " at entry 2)";
    };
    const auto log1 = [](Bytes bytes) { return std::vector<TransactionLog>{{"SYSTEM.LOG1", std::move(bytes)}}; };
    const auto oldLog = [](Bytes bytes) { return std::vector<TransactionLog>{{"SYSTEM.LOG", std::move(bytes)}}; };
    const auto two = [](Bytes first, Bytes second) {
        return std::vector<TransactionLog>{{"SYSTEM.LOG1", std::move(first)}, {"SYSTEM.LOG2", std::move(second)}};
    };
    const struct Row {
        const char* name;
        Bytes hive;
        std::vector<TransactionLog> logs;
        const Bytes* recovered;  // the state the replay gives; nullptr: the hive is left as it was
        std::string note;
    } rows[] = {
        {"clean hive, logs beside it", s[0], log1(full.bytes), nullptr, ""},
        {"a log given as the hive: left to the hive reader", full.bytes, log1(full.bytes), nullptr, ""},
        {"dirty hive, no log", hive, {}, nullptr, notRead("no log beside the hive")},
        {"two logs, sequence order across them", hive, two(newLog({1}).bytes, newLog({0, 2}).bytes), &s[3],
         "replayed SYSTEM.LOG2, SYSTEM.LOG1: 3 entries, sequence 2107-2109"},
        {"entries below the secondary sequence number are in the hive", dirty(s[1], kSequence + 1, kSequence + 2),
         log1(full.bytes), &s[3], "replayed SYSTEM.LOG1: 2 entries, sequence 2108-2109"},
        {"a log older than the hive", dirty(s[2], kSequence + 2, kSequence + 3),
         two(newLog({0, 1}).bytes, newLog({2}).bytes), &s[3],
         "replayed SYSTEM.LOG2: 1 entry, sequence 2109 (left out: SYSTEM.LOG1: older than the hive)"},
        {"a sequence gap after growing the hive, from the secondary sequence number", hive, log1(newLog({0, 2}).bytes),
         &s[1], "replayed SYSTEM.LOG1: 1 entry, sequence 2107 (left out: sequence gap after 2107)"},
        {"bad hash-1 mid-log", hive, log1(damaged([](auto& log) { log.bytes[log.entryAt[1] + 1000] ^= 1; })), &s[1],
         leftOut("bad hash-1")},
        {"bad hash-2 mid-log", hive, log1(damaged([](auto& log) { log.bytes[log.entryAt[2] + 8] ^= 1; })), &s[2],
         "replayed SYSTEM.LOG1: 2 entries, sequence 2107-2108 (left out: SYSTEM.LOG1: bad hash-2 at entry 3)"},
        {"checksum wrong, no log applies", badChecksum, log1(full.bytes), nullptr,
         notRead("the hive's checksum is wrong, its sequence numbers agree; SYSTEM.LOG1: older than the hive")},
        {"old format", hive, oldLog(old.bytes), &s[1], "replayed SYSTEM.LOG: " + std::to_string(old.pages) + " pages"},
        {"old format, over 2 MB of bins", hive, oldLog(oldBig.bytes), &big,
         "replayed SYSTEM.LOG: " + std::to_string(oldBig.pages) + " pages"},
        {"old format, stale", hive, oldLog(staleOld), nullptr,
         notRead("SYSTEM.LOG: written at another time than the hive")},
        {"truncated log", hive, log1(cut(full.bytes, full.entryAt[1] + 1024)), &s[1],
         leftOut("an entry past the end of the log")},
        {"entry size no multiple of 512", hive, log1(field(4, 1000)), &s[1], leftOut("a bad entry size (1000 bytes)")},
        {"page count past the entry", hive, log1(field(20, 0x7FFFFFFF)), &s[1],
         leftOut("page references past the end of the entry")},
        {"page size past the entry", hive, log1(field(44, 0xFFFFFFFF)), &s[1],
         leftOut("pages past the end of the entry")},
        {"page offset past the bins", hive, log1(field(40, 0xFFFFF000)), &s[1],
         leftOut("a page past the hive bins data")},
        {"bins size no multiple of 4096", hive, log1(field(16, 0x3000 + 512)), &s[1],
         leftOut("a bad hive bins data size (12800 bytes)")},
        {"bins size past the growth limit", hive, log1(field(16, 0x7FFFF000)), &s[1],
         leftOut("a hive bins data size past the growth limit")},
        {"old format, bitmap past the log", hive, oldLog(cut(old.bytes, 517)), nullptr,
         notRead("SYSTEM.LOG: the dirty page bitmap runs past the end of the log")},
        {"old format, cut in its pages", hive, oldLog(cut(old.bytes, 1536)), nullptr,
         notRead("SYSTEM.LOG: " + std::to_string(old.pages) + " dirty pages, of which the log holds 1")},
        {"a hive given as a log", hive, log1(s[1]), nullptr,
         notRead("SYSTEM.LOG1: not a transaction log: file type 0")},
        {"random bytes", hive, log1(random), nullptr, notRead("SYSTEM.LOG1: not a transaction log: no regf signature")},
        {"an empty log", hive, oldLog({}), nullptr, notRead("SYSTEM.LOG: empty")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Bytes replayed = row.hive;
        EXPECT_EQ(row.note, ReplayNote(ReplayLogs(replayed, row.logs)));
        if (row.recovered) {
            EXPECT_FALSE(IsDirty(replayed.data(), replayed.size()));
            EXPECT_TRUE(Bins(*row.recovered) == Bins(replayed));
        } else {
            EXPECT_TRUE(replayed == row.hive);
        }
        std::vector<Bytes> logs;
        for (const TransactionLog& log : row.logs) logs.push_back(log.bytes);
        KeepAsFuzzSeed("log_replay", FuzzInput(row.hive, logs));
    }
}

}  // namespace
}  // namespace inventory::test

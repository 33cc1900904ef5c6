#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "LogReplay.h"
#include "RegistryKey.h"

struct hive_h;

namespace inventory {

// An offline hive file, read through hivex. A dirty hive is read with the
// transaction logs beside it replayed, as Windows would after a restart: on
// a copy in memory, never on the file. Its keys read what the HiveFile holds:
// they must not outlive it.
class HiveFile {
public:
    // Throws ReadError naming why the file is not a hive that can be read.
    explicit HiveFile(const std::string& path, bool replayLogs = true);
    ~HiveFile();
    HiveFile(const HiveFile&) = delete;
    HiveFile& operator=(const HiveFile&) = delete;

    std::unique_ptr<RegistryKey> Root() const;
    // What became of a dirty hive's logs (its outcome kClean for a clean
    // hive); with replayLogs off, why none were read.
    const ReplayResult& Replay() const { return replay_; }

private:
    void Open(const std::string& path);

    ReplayResult replay_;
    int memoryFile_ = -1;  // the replayed copy, when there is one
    hive_h* hive_ = nullptr;
};

// A hive file with its logs replayed, in memory; throws ReadError when the
// file is no hive. `result` says what the logs gave.
std::vector<std::uint8_t> RecoveredHive(const std::string& path, ReplayResult& result);

}  // namespace inventory

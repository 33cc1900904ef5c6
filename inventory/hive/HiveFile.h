#pragma once

#include <memory>
#include <string>

#include "RegistryKey.h"

struct hive_h;

namespace inventory {

// An offline hive file, read through hivex. Its keys read the file the
// HiveFile holds: they must not outlive it.
class HiveFile {
public:
    // Throws ReadError naming why the file is not a hive that can be read.
    explicit HiveFile(const std::string& path);
    ~HiveFile();
    HiveFile(const HiveFile&) = delete;
    HiveFile& operator=(const HiveFile&) = delete;

    std::unique_ptr<RegistryKey> Root() const;
    // Changes may still wait in the hive's transaction logs, which are not read.
    bool Dirty() const { return dirty_; }

private:
    bool dirty_;
    hive_h* hive_;
};

}  // namespace inventory

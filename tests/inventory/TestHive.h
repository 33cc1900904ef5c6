#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "RegText.h"

namespace inventory::test {

// The smallest hive hivex opens for writing, made from the format's public
// description: a 4 KB base block with its checksum, one 4 KB hive bin with a
// root key cell, a security cell and a free cell for the rest.
std::vector<std::uint8_t> EmptyHiveBytes();

// A hive file holding the given keys, written with hivex's writing calls into
// a scratch folder of its own and removed with it.
class TestHive {
public:
    explicit TestHive(const std::vector<TextKey>& keys);
    explicit TestHive(std::string_view regText) : TestHive(ParseRegText(regText)) {}
    ~TestHive();
    TestHive(const TestHive&) = delete;
    TestHive& operator=(const TestHive&) = delete;

    const std::string& Path() const { return path_; }
    std::vector<std::uint8_t> Bytes() const;

private:
    std::string folder_;
    std::string path_;
};

// A scratch folder below the system's temporary folder, removed with all it holds.
std::string MakeScratchFolder();
void RemoveTree(const std::string& folder);
void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace inventory::test

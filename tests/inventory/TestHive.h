#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "RegText.h"

namespace inventory::test {

using tools::ParseRegText;
using tools::TextKey;
using tools::TextValue;

// A hive file holding the given keys, written into a scratch folder of its
// own and removed with it.
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

#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
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

// A whole file's bytes ("" when it cannot be read).
inline std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

struct ProgramRun {
    int status = -1;  // the exit status, -1 when it did not exit
    std::string out;
    std::string err;
};

// Runs the built quillmark-inventory in `folder` with shell-split arguments.
ProgramRun RunInventory(const std::string& folder, const std::string& arguments);

}  // namespace inventory::test

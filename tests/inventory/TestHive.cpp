#include "TestHive.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "HiveWriter.h"

namespace inventory::test {

std::string MakeScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmark-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
    return pattern;
}

void RemoveTree(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

TestHive::TestHive(const std::vector<TextKey>& keys) : folder_(MakeScratchFolder()), path_(folder_ + "/SYSTEM") {
    tools::WriteHive(path_, keys);
}

TestHive::~TestHive() {
    RemoveTree(folder_);
}

std::vector<std::uint8_t> TestHive::Bytes() const {
    std::ifstream file(path_, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {});
}

}  // namespace inventory::test

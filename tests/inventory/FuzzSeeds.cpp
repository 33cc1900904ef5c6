#include "FuzzSeeds.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace inventory::test {

void KeepAsFuzzSeed(const char* target, const std::vector<std::uint8_t>& blob) {
    const char* root = std::getenv("QUILLMARK_FUZZ_SEEDS");
    if (!root) return;
    std::uint64_t hash = 0xCBF29CE484222325;  // FNV-1a: one file per distinct blob
    for (const std::uint8_t byte : blob) hash = (hash ^ byte) * 0x100000001B3;
    const std::filesystem::path folder = std::filesystem::path(root) / target;
    std::filesystem::create_directories(folder);
    std::ofstream(folder / std::to_string(hash), std::ios::binary)
        .write(reinterpret_cast<const char*>(blob.data()), static_cast<std::streamsize>(blob.size()));
}

}  // namespace inventory::test

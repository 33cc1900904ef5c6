#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace inventory::test {

struct ProgramRun {
    int status = -1;  // the exit status, -1 when it did not exit
    std::string out;
    std::string err;
};

// Runs the built quillmark-inventory in `folder` with shell-split arguments (Linux, in TestHive.cpp).
ProgramRun RunInventory(const std::string& folder, const std::string& arguments);

// A whole file's bytes ("" when it cannot be read).
inline std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace inventory::test

#include "TestHive.h"

#include <stdlib.h>
#include <sys/wait.h>

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
    const std::string bytes = ReadAll(path_);
    return {bytes.begin(), bytes.end()};
}

ProgramRun RunInventory(const std::string& folder, const std::string& arguments) {
    const std::string command = "cd '" + folder + "' && " + QUILLMARK_INVENTORY + " " + arguments + " >.out 2>.err";
    ProgramRun run;
    const int status = std::system(command.c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadAll(folder + "/.out");
    run.err = ReadAll(folder + "/.err");
    return run;
}

}  // namespace inventory::test

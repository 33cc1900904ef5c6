#pragma once

#include <string>

namespace inventory::test {

struct ProgramRun {
    int status = -1;  // the exit status, -1 when it did not exit
    std::string out;
    std::string err;
};

// Runs the built quillmark-inventory in `folder` with shell-split arguments.
ProgramRun RunInventory(const std::string& folder, const std::string& arguments);

std::string ReadAll(const std::string& path);

}  // namespace inventory::test

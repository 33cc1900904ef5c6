#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Render.h"

namespace inventory {

// A command line the program cannot follow.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where a Windows build reads from.
struct Source {
    enum class Kind { kLocal, kRemote, kHive };
    Kind kind = Kind::kLocal;
    std::string name;  // the machine or the hive file
};

struct Options {
    RenderOptions render;
    bool help = false;
    bool version = false;
    // Linux: hive files and folders, in the order given.
    std::vector<std::string> inputs;
    unsigned jobs = 0;  // 0: one per core
    unsigned timeoutSeconds = 60;
    bool replayLogs = true;                // a dirty hive is read with its transaction logs replayed
    std::optional<std::string> recoverTo;  // --recover OUT: write the one hive named, recovered
    // Windows: what to read, in the order given (the local machine when none).
    std::vector<Source> sources;
};

enum class Platform { kLinux, kWindows };

// Throws UsageError with a one-line reason.
Options ParseOptions(const std::vector<std::string>& args, Platform platform);
std::string HelpText(Platform platform);

}  // namespace inventory

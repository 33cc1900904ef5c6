#include "HiveFinder.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <system_error>
#include <utility>

#include "FileBytes.h"
#include "RegistryKey.h"

namespace inventory {
namespace fs = std::filesystem;
namespace {

enum class Start { kHive, kTransactionLog, kOther };

// How a regular file starts: a hive's base block says regf and, at 28, file
// type 0; a transaction log's says another type. Only 32 bytes are read.
Start StartOf(const std::string& path) {
    std::vector<std::uint8_t> header;
    try {
        header = ReadFileStart(path, 32);
    } catch (const ReadError&) {
        return Start::kOther;
    }
    if (header.size() != 32 || std::memcmp(header.data(), "regf", 4) != 0) return Start::kOther;
    const bool primary = header[28] == 0 && header[29] == 0 && header[30] == 0 && header[31] == 0;
    return primary ? Start::kHive : Start::kTransactionLog;
}

using FileId = std::pair<dev_t, ino_t>;

std::optional<FileId> IdOf(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileId{status.st_dev, status.st_ino};
}

}  // namespace

HiveSearch FindHives(const std::vector<std::string>& arguments) {
    HiveSearch search;
    std::set<FileId> seen;
    // No file twice: a hive named and also found in a folder is read once.
    const auto firstTime = [&](const std::string& path) {
        const std::optional<FileId> id = IdOf(path);
        return !id || seen.insert(*id).second;
    };
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        std::error_code error;
        if (!fs::is_directory(argument, error)) {
            if (firstTime(argument)) search.hives.push_back({argument, std::nullopt, index, false});
            continue;
        }
        std::vector<std::string> found;
        fs::recursive_directory_iterator walk(argument, fs::directory_options::skip_permission_denied, error);
        for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
            std::error_code fileError;
            // Devices, pipes and links that lead nowhere are passed over unopened.
            if (!walk->is_regular_file(fileError)) {
                if (!walk->is_directory(fileError)) ++search.otherFiles;
                continue;
            }
            const std::string path = walk->path().string();
            switch (StartOf(path)) {
                case Start::kHive:
                    found.push_back(path);
                    break;
                case Start::kTransactionLog:
                    break;
                case Start::kOther:
                    ++search.otherFiles;
                    break;
            }
        }
        if (error) {
            search.hives.push_back({argument, "cannot search the folder: " + error.message(), index, false});
            continue;
        }
        if (found.empty()) search.hives.push_back({argument, "no registry hive in this folder", index, false});
        std::sort(found.begin(), found.end());
        for (std::string& path : found)
            if (firstTime(path)) search.hives.push_back({std::move(path), std::nullopt, index, true});
    }
    return search;
}

}  // namespace inventory

#include "HiveFinder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "RegistryText.h"

namespace inventory {
namespace fs = std::filesystem;

std::vector<HiveInput> FindHives(const std::vector<std::string>& arguments) {
    std::vector<HiveInput> hives;
    for (const std::string& argument : arguments) {
        std::error_code error;
        if (!fs::is_directory(argument, error)) {
            hives.push_back({argument, std::nullopt});
            continue;
        }
        std::vector<std::string> found;
        fs::recursive_directory_iterator walk(argument, fs::directory_options::skip_permission_denied, error);
        for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
            if (EqualsNoCase(walk->path().filename().string(), "SYSTEM") && walk->is_regular_file(error))
                found.push_back(walk->path().string());
        }
        if (error) {
            hives.push_back({argument, "cannot search the folder: " + error.message()});
            continue;
        }
        if (found.empty()) hives.push_back({argument, "no file named SYSTEM in this folder"});
        std::sort(found.begin(), found.end());
        for (std::string& path : found) hives.push_back({std::move(path), std::nullopt});
    }
    return hives;
}

}  // namespace inventory

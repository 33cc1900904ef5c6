#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace inventory {

// A file to read as a hive, or why an argument gave none.
struct HiveInput {
    std::string path;
    std::optional<std::string> failure;
    std::size_t argument = 0;  // which argument named it
    bool inFolder = false;     // found in a folder: passed over quietly when it is no SYSTEM hive
};

// What a search of the arguments found: the hive files in argument order (a
// file as given; a folder's files that start like a hive, at any depth, in
// path order; no file twice), and how many other files it passed over
// (not hives, or files that could not be opened; transaction logs are read
// with their hives and not counted).
struct HiveSearch {
    std::vector<HiveInput> hives;
    int otherFiles = 0;
};

HiveSearch FindHives(const std::vector<std::string>& arguments);

}  // namespace inventory

#pragma once

#include <optional>
#include <string>
#include <vector>

namespace inventory {

// A hive to read, or why an argument gave none.
struct HiveInput {
    std::string path;
    std::optional<std::string> failure;
};

// The hives the arguments name, in argument order: a file as given; a
// folder's files named SYSTEM (any case) at any depth, in path order.
std::vector<HiveInput> FindHives(const std::vector<std::string>& arguments);

}  // namespace inventory

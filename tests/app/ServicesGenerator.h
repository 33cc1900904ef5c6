#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

class ScratchKey;

// One value as stored: its type and its exact bytes.
struct StoredValue {
    DWORD type = REG_SZ;
    std::string bytes;
};

struct GeneratedService {
    std::wstring name;
    std::map<std::string, StoredValue> values;  // "Group", "Description", ...
};

// A seeded generator of hostile services trees: names of 1 to 255 characters (non-ASCII, differing
// only in case, like a hidden service's), Group values and values of every spelling, type and size.
class ServicesGenerator {
public:
    explicit ServicesGenerator(std::uint32_t seed) : random_(seed) {}

    std::vector<GeneratedService> Generate();

    // Writes them below `path` of the scratch key; answers what the registry then holds (names that
    // differ only in case are one key: the first spelling, the last write of each value).
    static std::vector<GeneratedService> Write(const std::vector<GeneratedService>& services, const ScratchKey& scratch,
                                               const std::wstring& path);

private:
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::wstring Name();
    StoredValue AnyValue(bool allowHuge);
    std::string Text(int length);

    std::mt19937 random_;
};

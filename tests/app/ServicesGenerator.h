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

// A seeded generator of hostile services trees: names of 1 to 255
// characters (non-ASCII, differing only in case, beginning like a hidden
// service), Group values of every spelling and type, and values of every
// type and size (0 bytes, no terminator, inner zero bytes, 1 MB texts,
// odd-sized integers, environment references).
class ServicesGenerator {
public:
    explicit ServicesGenerator(std::uint32_t seed) : random_(seed) {}

    std::vector<GeneratedService> Generate();

    // Writes the services below `servicesPath` of the scratch key. Names that
    // differ only in case address one key; the returned list says what the
    // registry then holds (first name's spelling, last write of each value).
    static std::vector<GeneratedService> Write(const std::vector<GeneratedService>& services, const ScratchKey& scratch,
                                               const std::wstring& servicesPath);

private:
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance(int percent) { return Between(1, 100) <= percent; }

    std::wstring Name();
    StoredValue Group();
    StoredValue AnyValue(bool allowHuge);
    std::string TextBytes(int length);

    std::mt19937 random_;
};

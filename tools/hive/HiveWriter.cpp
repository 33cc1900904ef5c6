#include "HiveWriter.h"

#include <hivex.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>

#include "RegistryText.h"

namespace inventory::tools {
namespace {

constexpr std::size_t kBaseBlockBytes = 4096;
constexpr std::size_t kBinBytes = 4096;

void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    Put16(bytes, at, value & 0xFFFF);
    Put16(bytes, at + 2, value >> 16);
}

std::uint32_t Get32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

struct HiveCloser {
    void operator()(hive_h* hive) const { hivex_close(hive); }
};
using UniqueHive = std::unique_ptr<hive_h, HiveCloser>;

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error("test hive: " + what);
}

}  // namespace

std::vector<std::uint8_t> EmptyHiveBytes() {
    std::vector<std::uint8_t> hive(kBaseBlockBytes + kBinBytes, 0);
    // Base block: signature, equal sequence numbers, version 1.3, a primary
    // file in direct-load format, where the root key is and how large the bins are.
    std::copy_n("regf", 4, hive.begin());
    Put32(hive, 4, 1);
    Put32(hive, 8, 1);
    Put32(hive, 20, 1);
    Put32(hive, 24, 3);
    Put32(hive, 28, 0);
    Put32(hive, 32, 1);
    const std::uint32_t rootCell = 0x20, securityCell = 0x80, freeCell = 0xA8;
    Put32(hive, 36, rootCell);
    Put32(hive, 40, kBinBytes);
    Put32(hive, 44, 1);

    // The hive bin: header, then cells at offsets relative to the bin's start.
    const std::size_t bin = kBaseBlockBytes;
    std::copy_n("hbin", 4, hive.begin() + bin);
    Put32(hive, bin + 4, 0);
    Put32(hive, bin + 8, kBinBytes);

    // Root key: a used cell (negative size) holding an nk record named ROOT,
    // without subkeys, values or class (0xFFFFFFFF lists).
    std::size_t nk = bin + rootCell;
    Put32(hive, nk, static_cast<std::uint32_t>(-(securityCell - rootCell)));
    nk += 4;
    std::copy_n("nk", 2, hive.begin() + nk);
    Put16(hive, nk + 2, 0x2C);  // hive entry, no delete, compressed (8-bit) name
    for (const std::size_t list : {28, 32, 40, 48}) Put32(hive, nk + list, 0xFFFFFFFF);
    Put32(hive, nk + 44, securityCell);
    Put16(hive, nk + 72, 4);
    std::copy_n("ROOT", 4, hive.begin() + nk + 76);

    // Security cell: a list of one pointing at itself, used once, holding a
    // self-relative descriptor with no owner, group or lists (20 bytes).
    std::size_t sk = bin + securityCell;
    Put32(hive, sk, static_cast<std::uint32_t>(-(freeCell - securityCell)));
    sk += 4;
    std::copy_n("sk", 2, hive.begin() + sk);
    Put32(hive, sk + 4, securityCell);
    Put32(hive, sk + 8, securityCell);
    Put32(hive, sk + 12, 1);
    Put32(hive, sk + 16, 20);
    hive[sk + 20] = 1;             // revision
    Put16(hive, sk + 22, 0x8000);  // self-relative

    // The rest of the bin is one free cell (positive size).
    Put32(hive, bin + freeCell, kBinBytes - freeCell);

    // Checksum: the XOR of the base block's first 127 double words.
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < 508; at += 4) sum ^= Get32(hive, at);
    if (sum == 0xFFFFFFFF) sum = 0xFFFFFFFE;
    if (sum == 0) sum = 1;
    Put32(hive, 508, sum);
    return hive;
}

void WriteHive(const std::string& path, const std::vector<TextKey>& keys) {
    {
        const std::vector<std::uint8_t> empty = EmptyHiveBytes();
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(empty.data()), static_cast<std::streamsize>(empty.size()));
        if (!file) Fail("cannot write " + path);
    }
    const UniqueHive hive(hivex_open(path.c_str(), HIVEX_OPEN_WRITE));
    if (!hive) Fail("hivex does not open the empty hive");
    std::map<std::string, hive_node_h> nodes{{"", hivex_root(hive.get())}};

    // Each key of a path once, parents first.
    const auto node = [&](const std::string& keyPath) {
        std::string sofar;
        hive_node_h current = nodes[""];
        for (std::size_t begin = 0; begin < keyPath.size();) {
            const std::size_t end = std::min(keyPath.find('\\', begin), keyPath.size());
            const std::string name = keyPath.substr(begin, end - begin);
            sofar += (sofar.empty() ? "" : "\\") + UpperAscii(name);
            const auto known = nodes.find(sofar);
            if (known != nodes.end()) {
                current = known->second;
            } else {
                current = hivex_node_add_child(hive.get(), current, name.c_str());
                if (!current) Fail("cannot add key " + sofar);
                nodes.emplace(sofar, current);
            }
            begin = end + 1;
        }
        return current;
    };

    // A key named twice gets the values of both; a later value replaces an earlier one of its name.
    std::map<std::string, TextKey> merged;
    std::vector<std::string> order;
    for (const TextKey& key : keys) {
        const std::string upper = UpperAscii(key.path);
        auto [entry, added] = merged.emplace(upper, TextKey{key.path, {}});
        if (added) order.push_back(upper);
        if (key.lastWrite) entry->second.lastWrite = key.lastWrite;
        for (const TextValue& value : key.values) {
            auto& values = entry->second.values;
            const auto same = std::find_if(values.begin(), values.end(),
                                           [&](const TextValue& v) { return EqualsNoCase(v.name, value.name); });
            if (same != values.end())
                *same = value;
            else
                values.push_back(value);
        }
    }
    std::vector<std::pair<hive_node_h, std::uint64_t>> times;
    for (const std::string& upper : order) {
        const TextKey& key = merged[upper];
        const hive_node_h at = node(key.path);
        if (key.lastWrite) times.emplace_back(at, *key.lastWrite);
        std::vector<hive_set_value> values;
        for (const TextValue& value : key.values)
            values.push_back({const_cast<char*>(value.name.c_str()), static_cast<hive_type>(value.type),
                              value.data.size(),
                              reinterpret_cast<char*>(const_cast<std::uint8_t*>(value.data.data()))});
        if (!values.empty() && hivex_node_set_values(hive.get(), at, values.size(), values.data(), 0) != 0)
            Fail("cannot set the values of " + key.path);
    }
    if (hivex_commit(hive.get(), nullptr, 0) != 0) Fail("cannot write the hive");
    // hivex sets no times: a key cell (nk) holds its FILETIME 8 bytes in, and
    // a node's handle is its cell's offset in the file.
    if (times.empty()) return;
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    for (const auto& [at, time] : times) {
        std::uint8_t bytes[8];
        for (int i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(time >> (8 * i));
        file.seekp(static_cast<std::streamoff>(at) + 8);
        file.write(reinterpret_cast<const char*>(bytes), sizeof bytes);
    }
    if (!file) Fail("cannot set the key times of " + path);
}

}  // namespace inventory::tools

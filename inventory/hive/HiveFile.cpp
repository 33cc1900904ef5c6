#include "HiveFile.h"

#include <hivex.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "RegistryText.h"

namespace inventory {
namespace {

constexpr std::size_t kHeaderBytes = 4096;

// Memory that hivex hands over for the caller to free.
struct FreeDeleter {
    void operator()(void* memory) const noexcept { std::free(memory); }
};
using HivexText = std::unique_ptr<char, FreeDeleter>;
template <typename T>
using HivexArray = std::unique_ptr<T[], FreeDeleter>;

[[noreturn]] void Fail(const char* what, int error) {
    throw ReadError(std::string(what) + ": " + (error ? std::strerror(error) : "damaged hive"));
}

// What hivex would only answer with a bare errno: say it in words first.
void CheckLooksLikeHive(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) throw ReadError(std::strerror(errno));
    if (S_ISDIR(status.st_mode)) throw ReadError("is a folder, not a hive file");
    if (!S_ISREG(status.st_mode)) throw ReadError("not a regular file");
    if (status.st_size == 0) throw ReadError("empty file");
    std::ifstream file(path, std::ios::binary);
    char signature[4] = {};
    if (!file.read(signature, sizeof signature) || std::memcmp(signature, "regf", 4) != 0)
        throw ReadError("not a registry hive (no regf signature)");
    if (static_cast<std::size_t>(status.st_size) < kHeaderBytes + 32) throw ReadError("truncated hive (no hive bins)");
}

class HiveKey final : public RegistryKey {
public:
    HiveKey(hive_h* hive, hive_node_h node) : hive_(hive), node_(node) {}

    std::unique_ptr<RegistryKey> OpenSubkey(std::string_view name) const override {
        const std::string upper = UpperAscii(name);
        for (const Child& child : Children())
            if (child.upperName == upper) return std::make_unique<HiveKey>(hive_, child.node);
        return nullptr;
    }

    std::vector<std::string> SubkeyNames() const override {
        std::vector<std::string> names;
        for (const Child& child : Children()) names.push_back(child.name);
        return names;
    }

    std::optional<RawValue> ReadValue(std::string_view name) const override {
        errno = 0;
        const hive_value_h value = hivex_node_get_value(hive_, node_, std::string(name).c_str());
        if (value == 0) {
            if (errno != 0) Fail("value list", errno);
            return std::nullopt;
        }
        hive_type type{};
        std::size_t size = 0;
        errno = 0;
        const HivexText data(hivex_value_value(hive_, value, &type, &size));
        if (!data) Fail("value data", errno);
        RawValue raw;
        raw.type = static_cast<std::uint32_t>(type);
        raw.data.assign(data.get(), data.get() + size);
        return raw;
    }

private:
    struct Child {
        std::string name;
        std::string upperName;
        hive_node_h node;
    };

    // Read once per key: the services key has hundreds of subkeys, and
    // hivex finds a child by name only by reading every name.
    const std::vector<Child>& Children() const {
        if (children_) return *children_;
        errno = 0;
        const HivexArray<hive_node_h> nodes(hivex_node_children(hive_, node_));
        if (!nodes) Fail("subkey list", errno);
        std::vector<Child> children;
        for (std::size_t i = 0; nodes[i] != 0; ++i) {
            errno = 0;
            const HivexText name(hivex_node_name(hive_, nodes[i]));
            if (!name) Fail("key name", errno);
            children.push_back({name.get(), UpperAscii(name.get()), nodes[i]});
        }
        children_ = std::move(children);
        return *children_;
    }

    hive_h* hive_;
    hive_node_h node_;
    mutable std::optional<std::vector<Child>> children_;
};

}  // namespace

HiveFile::HiveFile(const std::string& path) {
    CheckLooksLikeHive(path);
    errno = 0;
    hive_ = hivex_open(path.c_str(), 0);
    if (!hive_) Fail("hivex refused the hive", errno);
}

HiveFile::~HiveFile() {
    hivex_close(hive_);
}

std::unique_ptr<RegistryKey> HiveFile::Root() const {
    errno = 0;
    const hive_node_h root = hivex_root(hive_);
    if (root == 0) Fail("root key", errno);
    return std::make_unique<HiveKey>(hive_, root);
}

}  // namespace inventory

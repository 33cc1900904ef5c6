#include "HiveFile.h"

#include <hivex.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "FileBytes.h"
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

std::uint32_t HeaderNumber(const unsigned char* header, std::size_t at) {
    return header[at] | (header[at + 1] << 8) | (header[at + 2] << 16) |
           (static_cast<std::uint32_t>(header[at + 3]) << 24);
}

// No hive holds more than 2 GiB of bins.
constexpr std::uint64_t kLargestHive = 0x80000000ull + kHeaderBytes;

// What hivex would only answer with a bare errno, said in words first.
// Returns the base block.
std::vector<unsigned char> CheckLooksLikeHive(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) throw ReadError(std::strerror(errno));
    if (S_ISDIR(status.st_mode)) throw ReadError("is a folder, not a hive file");
    if (!S_ISREG(status.st_mode)) throw ReadError("not a regular file");
    if (status.st_size == 0) throw ReadError("empty file");
    std::vector<unsigned char> bytes = ReadFileStart(path, kHeaderBytes);
    if (bytes.size() < 4 || std::memcmp(bytes.data(), "regf", 4) != 0)
        throw ReadError("not a registry hive (no regf signature)");
    bytes.resize(kHeaderBytes);  // a file cut while it was read reads as zeros
    const unsigned char* header = bytes.data();
    const auto size = static_cast<unsigned long long>(status.st_size);
    if (size < kHeaderBytes + 32) throw ReadError("truncated hive (no hive bins)");
    if (HeaderNumber(header, 28) != 0) throw ReadError("a transaction log, not a hive: read the hive file beside it");
    const unsigned long long binsEnd = kHeaderBytes + static_cast<unsigned long long>(HeaderNumber(header, 40));
    if (binsEnd > size)
        throw ReadError("truncated hive (its header counts " + std::to_string(binsEnd) + " bytes, the file has " +
                        std::to_string(size) + ")");
    return bytes;
}

// hivex reads hives by path: an anonymous file in memory has one.
int MemoryFileWith(const std::vector<std::uint8_t>& bytes) {
    const int fd = memfd_create("recovered-hive", MFD_CLOEXEC);
    if (fd < 0) throw ReadError(std::string("cannot hold the replayed hive: ") + std::strerror(errno));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = errno;
            close(fd);
            throw ReadError(std::string("cannot hold the replayed hive: ") + std::strerror(error));
        }
        done += static_cast<std::size_t>(n);
    }
    return fd;
}

std::vector<std::uint8_t> Replayed(const std::string& path, ReplayResult& result) {
    std::vector<std::uint8_t> hive = ReadFileBytes(path, kLargestHive);
    std::vector<std::string> unreadable;
    const std::vector<TransactionLog> logs = ReadLogsBeside(path, unreadable);
    result = ReplayLogs(hive, logs);
    result.refused.insert(result.refused.end(), unreadable.begin(), unreadable.end());
    return hive;
}

class HiveKey final : public RegistryKey {
public:
    HiveKey(hive_h* hive, hive_node_h node) : hive_(hive), node_(node) {}

    std::unique_ptr<RegistryKey> OpenSubkey(std::string_view name) const override {
        const Named* child = Find(Children(), name);
        return child ? std::make_unique<HiveKey>(hive_, child->handle) : nullptr;
    }

    std::vector<std::string> SubkeyNames() const override { return NamesOf(Children()); }
    std::vector<std::string> ValueNames() const override { return NamesOf(Values()); }

    std::optional<RawValue> ReadValue(std::string_view name) const override {
        const Named* found = Find(Values(), name);
        if (!found) return std::nullopt;
        const hive_value_h value = found->handle;
        // hivex stores the type code as read into its enum type, which cannot
        // hold every code a damaged hive has: read the code's bytes, not the enum.
        alignas(hive_type) unsigned char type[sizeof(hive_type)] = {};
        std::size_t size = 0;
        errno = 0;
        const HivexText data(hivex_value_value(hive_, value, reinterpret_cast<hive_type*>(type), &size));
        if (!data) Fail("value data", errno);
        RawValue raw;
        std::int32_t code = 0;
        static_assert(sizeof code == sizeof type);
        std::memcpy(&code, type, sizeof code);
        raw.type = static_cast<std::uint32_t>(code);
        raw.data.assign(data.get(), data.get() + size);
        return raw;
    }

    std::optional<std::uint64_t> LastWriteTime() const override {
        errno = 0;
        const std::int64_t time = hivex_node_timestamp(hive_, node_);
        if (time < 0) return std::nullopt;
        return static_cast<std::uint64_t>(time);
    }

private:
    // A subkey or a value: its name, the name upper-cased to match by, its handle.
    struct Named {
        std::string name;
        std::string upperName;
        std::size_t handle;
    };

    static const Named* Find(const std::vector<Named>& named, std::string_view name) {
        const std::string upper = UpperAscii(name);
        for (const Named& item : named)
            if (item.upperName == upper) return &item;
        return nullptr;
    }

    static std::vector<std::string> NamesOf(const std::vector<Named>& named) {
        std::vector<std::string> names;
        for (const Named& item : named) names.push_back(item.name);
        return names;
    }

    // Each read once per key: the services key has hundreds of subkeys, the
    // firewall rules key hundreds of values, and hivex finds one by name only
    // by reading every name.
    const std::vector<Named>& Children() const {
        errno = 0;
        if (!children_)
            children_ =
                ReadNames<hive_node_h>(hivex_node_children(hive_, node_), hivex_node_name, "subkey list", "key name");
        return *children_;
    }
    const std::vector<Named>& Values() const {
        errno = 0;
        if (!values_)
            values_ =
                ReadNames<hive_value_h>(hivex_node_values(hive_, node_), hivex_value_key, "value list", "value name");
        return *values_;
    }

    template <typename Handle, typename NameOf>
    std::vector<Named> ReadNames(Handle* list, NameOf nameOf, const char* listWhat, const char* nameWhat) const {
        const HivexArray<Handle> handles(list);
        if (!handles) Fail(listWhat, errno);
        std::vector<Named> named;
        for (std::size_t i = 0; handles[i] != 0; ++i) {
            errno = 0;
            const HivexText name(nameOf(hive_, handles[i]));
            if (!name) Fail(nameWhat, errno);
            named.push_back({name.get(), UpperAscii(name.get()), handles[i]});
        }
        return named;
    }

    hive_h* hive_;
    hive_node_h node_;
    mutable std::optional<std::vector<Named>> children_;
    mutable std::optional<std::vector<Named>> values_;
};

}  // namespace

HiveFile::HiveFile(const std::string& path, bool replayLogs) {
    const std::vector<unsigned char> header = CheckLooksLikeHive(path);
    if (!IsDirty(header.data(), header.size())) {
        Open(path);
        return;
    }
    const auto notReplayed = [&](std::string why) {
        replay_.outcome = ReplayResult::Outcome::kNotReplayed;
        replay_.refused.push_back(std::move(why));
    };
    if (!replayLogs) {
        notReplayed("--no-logs");
        Open(path);
        return;
    }
    try {
        const std::vector<std::uint8_t> recovered = Replayed(path, replay_);
        if (replay_.outcome == ReplayResult::Outcome::kReplayed) {
            memoryFile_ = MemoryFileWith(recovered);
            errno = 0;
            hive_ = hivex_open(("/proc/self/fd/" + std::to_string(memoryFile_)).c_str(), 0);
            if (hive_) return;
            close(std::exchange(memoryFile_, -1));
            replay_ = {};
            notReplayed("with its logs replayed hivex cannot open it");
        }
    } catch (const ReadError& error) {
        notReplayed(error.what());
    }
    // The hive is still read, as it is.
    Open(path);
}

void HiveFile::Open(const std::string& path) {
    errno = 0;
    hive_ = hivex_open(path.c_str(), 0);
    if (!hive_) Fail("damaged hive: hivex cannot open it", errno);
}

HiveFile::~HiveFile() {
    hivex_close(hive_);
    if (memoryFile_ >= 0) close(memoryFile_);
}

std::vector<std::uint8_t> RecoveredHive(const std::string& path, ReplayResult& result) {
    CheckLooksLikeHive(path);
    return Replayed(path, result);
}

std::unique_ptr<RegistryKey> HiveFile::Root() const {
    errno = 0;
    const hive_node_h root = hivex_root(hive_);
    if (root == 0) Fail("root key", errno);
    return std::make_unique<HiveKey>(hive_, root);
}

}  // namespace inventory

#include "FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

#include "RegistryKey.h"
#include "RegistryText.h"

namespace inventory {
namespace fs = std::filesystem;
namespace {

// No hive holds more than 2 GiB of bins, nor a log more than their pages.
constexpr std::uint64_t kLargestLog = 0x80000000ull + 0x100000;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Opened so that nothing can make a read wait: a FIFO or a device answers at once.
Descriptor OpenRegularFile(const std::string& path, std::uint64_t& size) {
    Descriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (file.get() < 0) throw ReadError(std::strerror(errno));
    struct stat status {};
    if (fstat(file.get(), &status) != 0) throw ReadError(std::strerror(errno));
    if (!S_ISREG(status.st_mode)) throw ReadError("not a regular file");
    size = static_cast<std::uint64_t>(status.st_size);
    return file;
}

// Up to `count` bytes from the start; fewer if the file shrank while it was read.
std::vector<std::uint8_t> ReadStart(const Descriptor& file, std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = pread(file.get(), bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw ReadError(std::strerror(errno));
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

}  // namespace

std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::uint64_t limit) {
    std::uint64_t size = 0;
    const Descriptor file = OpenRegularFile(path, size);
    if (size > limit) throw ReadError("larger than " + std::to_string(limit) + " bytes");
    return ReadStart(file, static_cast<std::size_t>(size));
}

std::vector<std::uint8_t> ReadFileStart(const std::string& path, std::size_t count) {
    std::uint64_t size = 0;
    const Descriptor file = OpenRegularFile(path, size);
    return ReadStart(file, static_cast<std::size_t>(std::min<std::uint64_t>(size, count)));
}

std::vector<TransactionLog> ReadLogsBeside(const std::string& hivePath, std::vector<std::string>& problems) {
    const fs::path hive(hivePath);
    const fs::path folder = hive.has_parent_path() ? hive.parent_path() : fs::path(".");
    const std::string name = hive.filename().string();
    std::vector<TransactionLog> logs;
    for (const char* suffix : {".LOG", ".LOG1", ".LOG2"}) {
        std::error_code error;
        for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
            const std::string found = entry->path().filename().string();
            if (!EqualsNoCase(found, name + suffix)) continue;
            try {
                logs.push_back({found, ReadFileBytes(entry->path().string(), kLargestLog)});
            } catch (const ReadError& problem) {
                problems.push_back(found + ": " + problem.what());
            }
        }
    }
    return logs;
}

}  // namespace inventory

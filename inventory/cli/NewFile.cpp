#include "NewFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace inventory {

std::optional<std::string> WriteNewFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) return std::string(errno == EEXIST ? "it exists already" : std::strerror(errno));
    std::size_t done = 0;
    int error = 0;
    while (done < bytes.size() && !error) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (errno != EINTR)
            error = n < 0 ? errno : EIO;
    }
    if (!error && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && !error) error = errno;
    if (!error) return std::nullopt;
    unlink(path.c_str());
    return std::string(std::strerror(error));
}

}  // namespace inventory

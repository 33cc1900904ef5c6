#include "IsolatedRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace inventory {
namespace {

using Clock = std::chrono::steady_clock;

struct Child {
    pid_t pid;
    int pipe;
    Clock::time_point started;
    std::string received;
    bool timedOut = false;
};

void WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

void AppendText(std::string& message, const std::string& text) {
    const auto size = static_cast<std::uint32_t>(text.size());
    for (int shift = 0; shift < 32; shift += 8) message += static_cast<char>((size >> shift) & 0xFF);
    message += text;
}

// Takes a text that AppendText wrote from `message` at `at`.
std::optional<std::string> TakeText(const std::string& message, std::size_t& at) {
    if (message.size() - at < 4) return std::nullopt;
    std::uint32_t size = 0;
    for (int k = 0; k < 4; ++k)
        size |= static_cast<std::uint32_t>(static_cast<unsigned char>(message[at + k])) << (8 * k);
    at += 4;
    if (size > message.size() - at) return std::nullopt;
    at += size;
    return message.substr(at - size, size);
}

// The child's message: status byte, error and skipped texts (each a 4-byte
// length and its bytes), then the output.
std::string Encode(const HiveOutcome& outcome) {
    std::string message(1, static_cast<char>(outcome.status));
    AppendText(message, outcome.error);
    AppendText(message, outcome.skipped);
    return message + outcome.output;
}

std::optional<HiveOutcome> Decode(const std::string& message) {
    if (message.empty()) return std::nullopt;
    std::size_t at = 1;
    std::optional<std::string> error = TakeText(message, at);
    std::optional<std::string> skipped = error ? TakeText(message, at) : std::nullopt;
    if (!skipped) return std::nullopt;
    return HiveOutcome{message.substr(at), static_cast<ExitStatus>(message[0]), std::move(*error), std::move(*skipped)};
}

[[noreturn]] void RunChild(int pipe, std::size_t index, const IsolatedRunner::Job& job) {
    HiveOutcome outcome;
    try {
        outcome = job(index);
    } catch (const std::exception& error) {
        outcome = {"", kTrouble, std::string("internal error: ") + error.what(), ""};
    }
    WriteAll(pipe, Encode(outcome));
    _exit(0);
}

std::string Reason(int waitStatus, bool timedOut, std::chrono::milliseconds timeout) {
    if (timedOut) return "gave up after " + std::to_string(timeout.count() / 1000) + " s (hive reading hung)";
    if (WIFSIGNALED(waitStatus))
        return std::string("reading crashed (") + strsignal(WTERMSIG(waitStatus)) + "): the hive is damaged";
    return "reading failed (exit status " + std::to_string(WEXITSTATUS(waitStatus)) + ")";
}

}  // namespace

void IsolatedRunner::Run(std::size_t count, const Job& job, const Failed& failed, const Done& done) const {
    std::map<std::size_t, Child> running;
    std::map<std::size_t, HiveOutcome> finished;
    std::size_t next = 0, reported = 0;
    const unsigned jobs = jobs_ ? jobs_ : 1;

    while (reported < count) {
        while (next < count && running.size() < jobs) {
            int fds[2];
            if (pipe2(fds, O_CLOEXEC) != 0) {
                finished[next] = failed(next, std::string("cannot start a reader: ") + std::strerror(errno));
                ++next;
                continue;
            }
            std::fflush(nullptr);
            const pid_t pid = fork();
            if (pid == 0) {
                close(fds[0]);
                RunChild(fds[1], next, job);
            }
            close(fds[1]);
            if (pid < 0) {
                close(fds[0]);
                finished[next] = failed(next, std::string("cannot start a reader: ") + std::strerror(errno));
            } else {
                running[next] = Child{pid, fds[0], Clock::now(), {}};
            }
            ++next;
        }

        std::vector<pollfd> polls;
        std::vector<std::size_t> indexes;
        for (const auto& [index, child] : running) {
            polls.push_back({child.pipe, POLLIN, 0});
            indexes.push_back(index);
        }
        if (!polls.empty()) {
            if (poll(polls.data(), polls.size(), 100) < 0 && errno != EINTR) std::perror("poll");
        }
        for (std::size_t k = 0; k < polls.size(); ++k) {
            Child& child = running[indexes[k]];
            bool ended = false;
            if (polls[k].revents & (POLLIN | POLLHUP | POLLERR)) {
                char buffer[65536];
                const ssize_t n = read(child.pipe, buffer, sizeof buffer);
                if (n > 0)
                    child.received.append(buffer, static_cast<std::size_t>(n));
                else if (n == 0 || errno != EINTR)
                    ended = true;
            }
            if (!ended && Clock::now() - child.started > timeout_) {
                kill(child.pid, SIGKILL);
                child.timedOut = true;
                ended = true;
            }
            if (!ended) continue;
            close(child.pipe);
            int status = 0;
            while (waitpid(child.pid, &status, 0) < 0 && errno == EINTR) {
            }
            const bool clean = !child.timedOut && WIFEXITED(status) && WEXITSTATUS(status) == 0;
            std::optional<HiveOutcome> outcome = clean ? Decode(child.received) : std::nullopt;
            finished[indexes[k]] =
                outcome ? std::move(*outcome) : failed(indexes[k], Reason(status, child.timedOut, timeout_));
            running.erase(indexes[k]);
        }

        for (auto found = finished.find(reported); found != finished.end(); found = finished.find(reported)) {
            done(reported, std::move(found->second));
            finished.erase(found);
            ++reported;
        }
    }
}

}  // namespace inventory

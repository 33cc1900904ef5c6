// Inventory benchmark: for each hive given, the time of a whole inventory
// (open, replay the logs of a dirty hive, read every block, write the line
// format) in this process, and without the logs for a dirty hive, the peak
// memory of the command line reading it, and hivexml's time on the same
// hive; then the throughput of the command line over a batch of hives.
//   inventory_bench [--batch N] HIVE...
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "HiveFile.h"
#include "Inventory.h"
#include "Render.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct ChildRun {
    double wallMs = 0;
    double cpuMs = 0;  // user and system time of the child and its children
    long peakKb = 0;
    int status = -1;
};

// Runs a program with its standard output and error thrown away.
ChildRun RunQuietly(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    ChildRun run;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.wallMs = Milliseconds(Clock::now() - start);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peakKb = usage.ru_maxrss;
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    return run;
}

double CpuMsOfChildren() {
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    return children.ru_utime.tv_sec * 1e3 + children.ru_utime.tv_usec / 1e3 + children.ru_stime.tv_sec * 1e3 +
           children.ru_stime.tv_usec / 1e3;
}

double InventoryMs(const std::string& hive, bool replayLogs) {
    std::vector<double> times;
    for (int run = 0; run < 21; ++run) {
        const auto start = Clock::now();
        const inventory::HiveFile file(hive, replayLogs);
        const std::string lines = inventory::RenderTsv(inventory::TakeInventory(*file.Root(), hive));
        times.push_back(Milliseconds(Clock::now() - start));
    }
    return Median(times);
}

double HivexmlMs(const std::string& hive) {
    std::vector<double> times;
    for (int run = 0; run < 3; ++run) times.push_back(RunQuietly({"hivexml", hive}).wallMs);
    return Median(times);
}

void Batch(const std::vector<std::string>& hives, int count) {
    const std::string folder = (std::filesystem::temp_directory_path() / "quillmark-bench-batch").string();
    std::filesystem::remove_all(folder);
    for (int i = 0; i < count; ++i) {
        const std::string machine = folder + "/machine" + std::to_string(i);
        std::filesystem::create_directories(machine);
        std::filesystem::create_symlink(std::filesystem::absolute(hives[i % hives.size()]), machine + "/SYSTEM");
    }
    const double cpuBefore = CpuMsOfChildren();
    const ChildRun run = RunQuietly({QUILLMARK_INVENTORY, "--format", "tsv", folder});
    const double cpu = CpuMsOfChildren() - cpuBefore;
    std::filesystem::remove_all(folder);
    std::printf("batch of %d hives: %.2f s, %.0f hives/s, %.2f cores busy (CPU %.2f s), exit %d\n", count,
                run.wallMs / 1e3, count / (run.wallMs / 1e3), cpu / run.wallMs, cpu / 1e3, run.status);
}

}  // namespace

int main(int argc, char** argv) {
    int batch = 1000;
    std::vector<std::string> hives;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--batch") == 0 && i + 1 < argc)
            batch = std::atoi(argv[++i]);
        else
            hives.push_back(argv[i]);
    }
    if (hives.empty()) {
        std::fprintf(stderr, "usage: inventory_bench [--batch N] HIVE...\n");
        return 2;
    }
    std::printf("%-40s %6s %6s %11s %11s %11s %7s %9s\n", "hive", "MB", "logs", "inventory", "no logs", "hivexml",
                "ratio", "peak MB");
    for (const std::string& hive : hives) {
        const double megabytes = std::filesystem::file_size(hive) / 1048576.0;
        std::vector<std::string> unreadable;
        double logMegabytes = 0;
        for (const auto& log : inventory::ReadLogsBeside(hive, unreadable))
            logMegabytes += log.bytes.size() / 1048576.0;
        const inventory::HiveFile probe(hive);
        const bool replayed = probe.Replay().outcome == inventory::ReplayResult::Outcome::kReplayed;
        const double ours = InventoryMs(hive, true), theirs = HivexmlMs(hive);
        const double withoutLogs = replayed ? InventoryMs(hive, false) : ours;
        const ChildRun cli = RunQuietly({QUILLMARK_INVENTORY, "--format", "tsv", hive});
        std::string name = hive.size() > 40 ? "..." + hive.substr(hive.size() - 37) : hive;
        std::printf("%-40s %6.1f %6.1f %8.2f ms %8.2f ms %8.1f ms %6.0fx %6.1f MB\n", name.c_str(), megabytes,
                    logMegabytes, ours, withoutLogs, theirs, theirs / ours, cli.peakKb / 1024.0);
    }
    if (batch > 0) Batch(hives, batch);
    return 0;
}

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <thread>

#include "Escape.h"
#include "HiveFile.h"
#include "HiveFinder.h"
#include "HiveKind.h"
#include "Inventory.h"
#include "IsolatedRunner.h"
#include "Options.h"

using namespace inventory;

namespace {

constexpr char kProgram[] = "quillmark-inventory";
// Batches at least this long show their progress on a terminal.
constexpr std::size_t kProgressFrom = 20;

HiveOutcome Failure(const std::string& hive, const std::string& reason, const RenderOptions& render) {
    return {RenderFailure(hive, reason, render), kTrouble, EscapeField(hive) + ": " + EscapeField(reason), ""};
}

HiveOutcome ReadHive(const HiveInput& input, const RenderOptions& render) {
    if (input.failure) return Failure(input.path, *input.failure, render);
    try {
        const HiveFile hive(input.path);
        const auto root = hive.Root();
        if (const HiveKind kind = KindOfHive(*root); kind != HiveKind::kSystem) {
            const std::string what(HiveKindText(kind));
            if (input.inFolder) return {"", kNothingFound, "", what};
            return Failure(input.path, what + ", not a SYSTEM hive", render);
        }
        Report report = TakeInventory(*root, input.path);
        if (hive.Dirty())
            report.notes.push_back("the hive is dirty: changes still in its transaction logs are not read");
        HiveOutcome outcome{RenderReport(report, render), StatusOf(report), "", ""};
        if (const int errors = Count(report).errors)
            outcome.error =
                EscapeField(input.path) + ": damaged: " + std::to_string(errors) + " part(s) could not be read";
        return outcome;
    } catch (const ReadError& error) {
        return Failure(input.path, error.what(), render);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), Platform::kLinux);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "%s: %s (see --help)\n", kProgram, error.what());
        return kTrouble;
    }
    if (options.help) {
        std::fputs(HelpText(Platform::kLinux).c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s %s\n", kProgram, QUILLMARK_VERSION);
        return 0;
    }

    const HiveSearch search = FindHives(options.inputs);
    const std::vector<HiveInput>& hives = search.hives;
    std::vector<int> systemHives(options.inputs.size(), 0);
    int otherHives = 0;
    const unsigned jobs = options.jobs ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
    const bool progress = hives.size() >= kProgressFrom && isatty(STDERR_FILENO);
    int status = kNothingFound;
    IsolatedRunner runner(jobs, std::chrono::seconds(options.timeoutSeconds));
    runner.Run(
        hives.size(), [&](std::size_t i) { return ReadHive(hives[i], options.render); },
        [&](std::size_t i, const std::string& reason) { return Failure(hives[i].path, reason, options.render); },
        [&](std::size_t i, HiveOutcome outcome) {
            if (outcome.skipped.empty())
                ++systemHives[hives[i].argument];
            else
                ++otherHives;
            std::fwrite(outcome.output.data(), 1, outcome.output.size(), stdout);
            if (progress) std::fputs("\r\033[K", stderr);
            if (!outcome.error.empty()) std::fprintf(stderr, "%s: %s\n", kProgram, outcome.error.c_str());
            if (progress) std::fprintf(stderr, "%zu/%zu hives read", i + 1, hives.size());
            status = std::max(status, static_cast<int>(outcome.status));
        });
    if (progress) std::fputs("\r\033[K", stderr);
    // A folder whose hives are all of other kinds answers nothing: say so.
    for (const HiveInput& input : hives) {
        if (!input.inFolder || systemHives[input.argument] != 0) continue;
        const std::string& folder = options.inputs[input.argument];
        const HiveOutcome none = Failure(folder, "no SYSTEM hive in this folder", options.render);
        std::fwrite(none.output.data(), 1, none.output.size(), stdout);
        std::fprintf(stderr, "%s: %s\n", kProgram, none.error.c_str());
        systemHives[input.argument] = -1;
        status = kTrouble;
    }
    if (otherHives + search.transactionLogs + search.otherFiles > 0)
        std::fprintf(stderr, "%s: passed over %d other hive(s), %d transaction log(s) and %d other file(s)\n", kProgram,
                     otherHives, search.transactionLogs, search.otherFiles);
    if (std::fflush(stdout) != 0) {
        std::fprintf(stderr, "%s: cannot write the report\n", kProgram);
        return kTrouble;
    }
    return status;
}

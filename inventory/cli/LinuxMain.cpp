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
#include "NewFile.h"
#include "Options.h"

using namespace inventory;

namespace {

constexpr char kProgram[] = "quillmark-inventory";
// Batches at least this long show their progress on a terminal.
constexpr std::size_t kProgressFrom = 20;

HiveOutcome Failure(const std::string& hive, const std::string& reason, const RenderOptions& render) {
    return {RenderFailure(hive, reason, render), kTrouble, EscapeField(hive) + ": " + EscapeField(reason), ""};
}

// What the report says of a dirty hive's logs.
void NoteReplay(const ReplayResult& replay, Report& report) {
    if (replay.outcome == ReplayResult::Outcome::kClean) return;
    report.notes.insert(report.notes.begin(), ReplayNote(replay));
    report.logReplay = LogReplaySummary{replay.outcome == ReplayResult::Outcome::kReplayed,
                                        replay.logsUsed,
                                        replay.applied,
                                        replay.oldFormat,
                                        replay.firstSequence,
                                        replay.lastSequence,
                                        replay.refused};
}

HiveOutcome ReadHive(const HiveInput& input, const Options& options) {
    const RenderOptions& render = options.render;
    if (input.failure) return Failure(input.path, *input.failure, render);
    try {
        const HiveFile hive(input.path, options.replayLogs);
        const auto root = hive.Root();
        if (const HiveKind kind = KindOfHive(*root); kind != HiveKind::kSystem) {
            const std::string what(HiveKindText(kind));
            if (input.inFolder) return {"", kNothingFound, "", what};
            return Failure(input.path, what + ", not a SYSTEM hive", render);
        }
        Report report = TakeInventory(*root, input.path);
        NoteReplay(hive.Replay(), report);
        HiveOutcome outcome{RenderReport(report, render), StatusOf(report), "", ""};
        if (const int errors = Count(report).errors)
            outcome.error =
                EscapeField(input.path) + ": damaged: " + std::to_string(errors) + " part(s) could not be read";
        return outcome;
    } catch (const ReadError& error) {
        return Failure(input.path, error.what(), render);
    }
}

// --recover OUT HIVE: the one way the program writes a hive, to a new file only.
int Recover(const std::string& hivePath, const std::string& out) {
    const auto fail = [&](const std::string& reason) {
        std::fprintf(stderr, "%s: %s: %s\n", kProgram, EscapeField(hivePath).c_str(), EscapeField(reason).c_str());
        return kTrouble;
    };
    ReplayResult replay;
    std::vector<std::uint8_t> recovered;
    try {
        recovered = RecoveredHive(hivePath, replay);
    } catch (const ReadError& error) {
        return fail(error.what());
    }
    if (replay.outcome == ReplayResult::Outcome::kNotReplayed) return fail("nothing recovered: " + ReplayNote(replay));
    if (const std::optional<std::string> problem = WriteNewFile(out, recovered))
        return fail("cannot write " + out + ": " + *problem);
    const std::string what =
        replay.outcome == ReplayResult::Outcome::kClean ? "the hive is clean: written as it is" : ReplayNote(replay);
    std::printf("%s: %s\n", EscapeField(out).c_str(), EscapeField(what).c_str());
    return kNothingFound;
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

    if (options.recoverTo) return Recover(options.inputs.front(), *options.recoverTo);

    const HiveSearch search = FindHives(options.inputs);
    const std::vector<HiveInput>& hives = search.hives;
    std::vector<int> systemHives(options.inputs.size(), 0);
    int otherHives = 0;
    const unsigned jobs = options.jobs ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
    const bool progress = hives.size() >= kProgressFrom && isatty(STDERR_FILENO);
    int status = kNothingFound;
    IsolatedRunner runner(jobs, std::chrono::seconds(options.timeoutSeconds));
    runner.Run(
        hives.size(), [&](std::size_t i) { return ReadHive(hives[i], options); },
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
    if (otherHives + search.otherFiles > 0)
        std::fprintf(stderr, "%s: passed over %d other hive(s) and %d other file(s)\n", kProgram, otherHives,
                     search.otherFiles);
    if (std::fflush(stdout) != 0) {
        std::fprintf(stderr, "%s: cannot write the report\n", kProgram);
        return kTrouble;
    }
    return status;
}

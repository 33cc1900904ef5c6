#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

#include "Render.h"

namespace inventory {

// What reading one hive gave: its rendered output, its exit status and, when
// it failed, the reason for standard error; or, for a file found in a folder
// that is no SYSTEM hive, what it is instead (nothing else then).
struct HiveOutcome {
    std::string output;
    ExitStatus status = kNothingFound;
    std::string error;
    std::string skipped;
};

// Runs each job in a child process of its own, `jobs` at a time, so that a
// crash or a hang inside the hive library ends one hive's reading and not
// the batch. Outcomes reach `done` in job order, each as soon as it and
// every one before it are in. A child that crashes, exits abnormally or
// outlives `timeout` gives an outcome with `failed` rendered for its reason.
class IsolatedRunner {
public:
    using Job = std::function<HiveOutcome(std::size_t index)>;
    using Failed = std::function<HiveOutcome(std::size_t index, const std::string& reason)>;
    using Done = std::function<void(std::size_t index, HiveOutcome outcome)>;

    IsolatedRunner(unsigned jobs, std::chrono::milliseconds timeout) : jobs_(jobs), timeout_(timeout) {}

    void Run(std::size_t count, const Job& job, const Failed& failed, const Done& done) const;

private:
    unsigned jobs_;
    std::chrono::milliseconds timeout_;
};

}  // namespace inventory

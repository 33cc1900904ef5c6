#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "IsolatedRunner.h"

namespace inventory {
namespace {

TEST(IsolatedRunner, OutlivesCrashesAndHangsAndKeepsTheOrder) {
    const IsolatedRunner runner(3, std::chrono::milliseconds(1500));
    std::vector<std::string> outputs;
    runner.Run(
        5,
        [](std::size_t index) -> HiveOutcome {
            if (index == 1) std::abort();
            if (index == 2) sleep(30);
            if (index == 3) std::exit(7);
            if (index == 0) usleep(300000);  // finishes after the ones behind it
            return {"read " + std::to_string(index), kSomethingFound, "", ""};
        },
        [](std::size_t index, const std::string& reason) {
            return HiveOutcome{std::to_string(index) + ": " + reason, kTrouble, reason, ""};
        },
        [&](std::size_t index, HiveOutcome outcome) {
            EXPECT_EQ(outputs.size(), index);
            outputs.push_back(outcome.output);
        });
    EXPECT_EQ((std::vector<std::string>{"read 0", "1: reading crashed (Aborted): the hive is damaged",
                                        "2: gave up after 1 s (hive reading hung)", "3: reading failed (exit status 7)",
                                        "read 4"}),
              outputs);
}

}  // namespace
}  // namespace inventory

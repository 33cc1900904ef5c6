#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "AppFixture.h"
#include "ReportOracle.h"

namespace {

// The seeds to run: 1 to 60, 1 to QUILLMARK_SOAK_TREES for a soak run, or
// the one seed QUILLMARK_SEED names to replay a failure (see DEVELOPERS.md).
std::pair<int, int> Seeds() {
    if (const char* one = std::getenv("QUILLMARK_SEED")) return {std::atoi(one), std::atoi(one)};
    const char* soak = std::getenv("QUILLMARK_SOAK_TREES");
    return {1, soak ? std::atoi(soak) : 60};
}

}  // namespace

using HostileRegistry = ScanFixture;

TEST_F(HostileRegistry, RandomTreesReportWhatTheOracleExpects) {
    const auto [first, last] = Seeds();
    for (int seed = first; seed <= last; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        scratch.DeleteTree(kServices);
        scratch.CreateKey(kServices);
        const auto stored = ServicesGenerator::Write(ServicesGenerator(seed).Generate(), scratch, kServices);
        const bool ticked = seed % 2 == 0;
        Tick(ticked ? BST_CHECKED : BST_UNCHECKED);
        DeleteFileW(folder.File(FrmMain::kLogFileName).c_str());
        PressStart();
        const std::string date = DateLine();
        ASSERT_EQ(0u, date.rfind("Date: ", 0)) << date;
        const ExpectedReport expected = ReportOf(stored, scratch, kServices, ticked, date);
        ASSERT_EQ(expected.box, WindowText(Box()));
        ASSERT_EQ(expected.log, LogBytes());
    }
}

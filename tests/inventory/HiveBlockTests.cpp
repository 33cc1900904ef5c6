#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "HiveFile.h"
#include "Inventory.h"
#include "InventoryCases.h"
#include "Render.h"
#include "TestHive.h"

namespace inventory::test {
namespace {

constexpr char kSelectFirst[] = "[Select]\nCurrent=dword:1\n";

std::string HiveReport(const TestHive& hive) {
    const HiveFile file(hive.Path());
    return RenderTsv(TakeInventory(*file.Root(), hive.Path()));
}

TEST(HiveBlocks, GiveTheLinesOfTheFormat) {
    std::string keys, report;
    for (const InventoryCase& row : InventoryCases()) {
        SCOPED_TRACE(row.name);
        if (!row.keys.empty()) {
            keys = row.keys;
            if (keys.find("[Select]") == std::string::npos) keys = kSelectFirst + keys;
            report = HiveReport(TestHive(keys));
        }
        EXPECT_EQ(row.expected, BlockLines(report, row.block));
    }
}

}  // namespace
}  // namespace inventory::test

#pragma once

#include <string>
#include <vector>

namespace inventory::test {

// Made-up registry content and the block of the line format it must give:
// one table, read by the hive reader on Linux and by the live reader under
// Wine, so both readers are held to the same lines.
struct InventoryCase {
    std::string name;
    std::string keys;          // registry text (see RegText.h) below the SYSTEM root; empty: the case before's
    const char* block;         // the block compared, or "" for the lines before the first block
    std::string expected;      // those lines as the line format writes them
    bool offlineOnly = false;  // about choosing the control set, which the live registry does not do
};

const std::vector<InventoryCase>& InventoryCases();
// The cases of the blocks read from binary values (Winsock catalog entries,
// WFP objects), whose registry text the tests' encoders write.
std::vector<InventoryCase> BinaryValueCases();
// The WFP objects of those cases, two of them filters that silence an agent.
std::string WfpObjectKeys();
// Their Winsock protocol catalog: a layered provider, a chain, an entry without its item.
std::string WinsockCatalogKeys();

// Lines of the line format as the cases write them: one a line, '|' for each
// tab, the last line's newline added.
std::string Lines(std::string text);

// The lines of one block of a line-format report, its [name] line included;
// for "", the lines before the first block without the hive line.
std::string BlockLines(const std::string& report, const std::string& block);

}  // namespace inventory::test

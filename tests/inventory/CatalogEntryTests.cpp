#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CatalogEntry.h"
#include "CatalogItemBytes.h"
#include "DecodeError.h"

namespace inventory {
namespace {

struct EntryBytes : test::CatalogItemBytes {
    CatalogEntry Decode() const { return DecodeCatalogEntry(bytes.data(), bytes.size()); }
};

TEST(CatalogEntry, KindAndChainFollowTheChainLength) {
    struct Row {
        std::int32_t chainLength;
        const char* kind;
        const char* chain;
    } rows[] = {
        {0, "lsp", "-"},           {1, "base", "-"},
        {2, "chain", "1001,1002"}, {7, "chain", "1001,1002,1003,1004,1005,1006,1007"},
        {8, "bad", "-"},           {-1, "bad", "-"},
        {0x7FFFFFFF, "bad", "-"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.chainLength);
        EntryBytes entry;
        entry.Put32(300, row.chainLength);
        for (int i = 0; i < 7; ++i) entry.Put32(304 + 4 * i, 1001 + i);
        const CatalogEntry decoded = entry.Decode();
        EXPECT_EQ(row.kind, CatalogKind(decoded));
        EXPECT_EQ(row.chain, CatalogChainText(decoded));
    }
}

TEST(CatalogEntry, ShorterThan888BytesIsAnError) {
    const std::vector<std::uint8_t> bytes(888, 0);
    for (const std::size_t size : {std::size_t{0}, std::size_t{260}, std::size_t{887}}) {
        SCOPED_TRACE(size);
        EXPECT_THROW(DecodeCatalogEntry(bytes.data(), size), DecodeError);
    }
    EXPECT_NO_THROW(DecodeCatalogEntry(bytes.data(), bytes.size()));
}

}  // namespace
}  // namespace inventory

#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "RegText.h"
#include "RegistryKey.h"

namespace inventory::test {

// A registry held in memory, made from registry text, that fails on purpose:
// the keys named in `failing` (paths below the root, any case) open, but
// every list and value read of them throws ReadError, as a damaged store's
// would.
class MemoryRegistry {
public:
    MemoryRegistry(std::string_view regText, const std::vector<std::string>& failing);
    ~MemoryRegistry();

    std::unique_ptr<RegistryKey> Root() const;

    struct Node;

private:
    std::unique_ptr<Node> root_;
};

}  // namespace inventory::test

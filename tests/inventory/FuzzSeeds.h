#pragma once

#include <cstdint>
#include <vector>

namespace inventory::test {

// With QUILLMARK_FUZZ_SEEDS=DIR set, every blob the tests build is kept as
// DIR/<target>/<hash>: the fuzz targets start from every shape the tests know.
void KeepAsFuzzSeed(const char* target, const std::vector<std::uint8_t>& blob);

}  // namespace inventory::test

#pragma once

#include <cstdint>
#include <string>

class ScratchKey;

// Writes a seeded random, hostile services tree below `path` of the scratch key: 3 to 30 services,
// names of 1 to 255 characters (non-ASCII, differing only in case, like a hidden service's), Group
// values and values of every spelling, type and size.
void WriteRandomServices(std::uint32_t seed, const ScratchKey& scratch, const std::wstring& path);

// The oracle: what a scan must report for the services stored below `path` of the scratch key (its
// subkeys in the registry's own order), computed from their stored bytes alone: the output box's
// text, the log's bytes and the keys it counts. `none`: no service shown; `ticked`: the hidden ones too.
struct ExpectedReport {
    std::wstring box;
    std::string log;
    std::int32_t keys;
};
ExpectedReport ReportOf(const ScratchKey& scratch, const std::wstring& path, bool none, bool ticked,
                        const std::string& dateLine);

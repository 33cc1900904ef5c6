#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ServicesGenerator.h"

// What a scan must report for services as stored below `path` of the
// scratch key (whose subkeys it lists in the registry's own order), computed
// from the stored bytes alone: the output box's text, the log's bytes and the
// keys it counts.
struct ExpectedReport {
    std::wstring box;
    std::string log;
    std::int32_t keys;
};
ExpectedReport ReportOf(const std::vector<GeneratedService>& stored, const ScratchKey& scratch,
                        const std::wstring& path, bool ticked, const std::string& dateLine);

#pragma once

#include <string>
#include <vector>

#include "ServicesGenerator.h"

// What a scan must report for services as stored below `path` of the
// scratch key (whose subkeys it lists in the registry's own order), computed
// from the stored bytes alone: the output box's text and the log's bytes.
struct ExpectedReport {
    std::wstring box;
    std::string log;
};
ExpectedReport ReportOf(const std::vector<GeneratedService>& stored, const ScratchKey& scratch,
                        const std::wstring& path, bool ticked, const std::string& dateLine);

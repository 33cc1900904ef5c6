#pragma once

#include <string>
#include <string_view>

#include "Report.h"

namespace inventory {

enum class Format {
    kText,   // for people: a summary line, then what is not Windows' own
    kTsv,    // the line format, every entry, for diffing
    kJsonl,  // one JSON object per entry, for log pipelines
};

struct RenderOptions {
    Format format = Format::kText;
    bool all = false;     // the text view shows Windows' own entries too
    bool byTime = false;  // the text view lists each block's newest entries first
};

std::string RenderReport(const Report& report, const RenderOptions& options);
// What stands in the output for a hive that could not be read at all.
std::string RenderFailure(std::string_view hive, std::string_view reason, const RenderOptions& options);

// Exit statuses, like diff's.
enum ExitStatus : int {
    kNothingFound = 0,    // nothing third-party or unknown
    kSomethingFound = 1,  // something third-party, unknown or suspicious
    kTrouble = 2,         // a hive could not be read (wholly or in part), or a wrong command line
};
ExitStatus StatusOf(const Report& report);

std::string RenderTsv(const Report& report);
std::string RenderJsonl(const Report& report);
std::string RenderText(const Report& report, const RenderOptions& options);

}  // namespace inventory

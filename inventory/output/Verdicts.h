#pragma once

#include <string>
#include <vector>

#include "Report.h"

namespace inventory {

// The verdicts of a report in words, one sentence each: what looks like an
// endpoint agent being silenced.
std::vector<std::string> VerdictSentences(const Report& report);

// The summary of a report: "2 third-party, 1 unknown", "nothing third-party or unknown".
std::string SummaryText(const Report& report);

}  // namespace inventory

#pragma once

#include <string>
#include <vector>

#include "Report.h"

namespace inventory {

// What a person reads first, shared by the text view and the window.

// The verdicts of a report in words, one sentence each: what looks like an
// endpoint agent being silenced.
std::vector<std::string> VerdictSentences(const Report& report);

// The summary of a report: "2 third-party, 1 unknown", "nothing third-party or unknown".
std::string SummaryText(const Report& report);

// Whether the text view (and the window) lists an entry: what is always
// worth a look, and what is marked, not Windows' own and not folded into
// another entry's line; with `all`, everything. Other unmarked entries
// (adapter bindings) are listed only with `all`.
bool IsShown(const Entry& entry, bool all);

}  // namespace inventory

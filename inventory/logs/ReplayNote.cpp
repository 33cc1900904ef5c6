#include "LogReplay.h"

#include <string>
#include <vector>

namespace inventory {
namespace {

std::string Join(const std::vector<std::string>& pieces, const char* separator) {
    std::string text;
    for (const std::string& piece : pieces) text += (text.empty() ? "" : separator) + piece;
    return text;
}

std::string Counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string ReplayNote(const ReplayResult& result) {
    switch (result.outcome) {
        case ReplayResult::Outcome::kClean:
            return {};
        case ReplayResult::Outcome::kNotReplayed:
            return "the hive is dirty: changes still in its transaction logs are not read (" +
                   Join(result.refused, "; ") + ")";
        case ReplayResult::Outcome::kReplayed:
            break;
    }
    std::string note = "replayed " + Join(result.logsUsed, ", ") + ": ";
    if (result.oldFormat) {
        note += Counted(result.applied, "page", "pages");
    } else {
        note += Counted(result.applied, "entry", "entries") + ", sequence " + std::to_string(result.firstSequence);
        if (result.lastSequence != result.firstSequence) note += "-" + std::to_string(result.lastSequence);
    }
    if (!result.refused.empty()) note += " (left out: " + Join(result.refused, "; ") + ")";
    return note;
}

}  // namespace inventory

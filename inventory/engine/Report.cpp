#include "Report.h"

namespace inventory {

std::string_view MarkText(Mark mark) {
    switch (mark) {
        case Mark::kWindows:
            return "os";
        case Mark::kThirdParty:
            return "3p";
        case Mark::kUnknown:
            break;
    }
    return "?";
}

const Field* Entry::Find(std::string_view name) const {
    for (const Field& field : fields)
        if (name == field.name) return &field;
    return nullptr;
}

const Block* Report::Find(std::string_view name) const {
    for (const Block& block : blocks)
        if (block.name == name) return &block;
    return nullptr;
}

Tally Count(const Report& report) {
    Tally tally;
    tally.errors = static_cast<int>(report.errors.size());
    for (const Block& block : report.blocks) {
        tally.errors += static_cast<int>(block.errors.size());
        if (block.name == "wfp-suspicious") {
            tally.suspicious += static_cast<int>(block.entries.size());
            continue;
        }
        for (const Entry& entry : block.entries) {
            if (entry.mark == Mark::kThirdParty) ++tally.thirdParty;
            if (entry.mark == Mark::kUnknown) ++tally.unknown;
        }
    }
    return tally;
}

}  // namespace inventory

#include "Report.h"

#include <set>
#include <utility>

#include "BlockTable.h"

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

const Field* Entry::Find(FieldId id) const {
    for (const Field& field : fields)
        if (field.id == id) return &field;
    return nullptr;
}

std::optional<std::string> Entry::Text(FieldId id) const {
    const Field* field = Find(id);
    return field ? field->value : std::nullopt;
}

const Block* Report::Find(BlockId id) const {
    for (const Block& block : blocks)
        if (block.id == id) return &block;
    return nullptr;
}

Tally Count(const Report& report) {
    Tally tally;
    // A key several blocks depend on is reported by each of them, but counted once.
    std::set<std::pair<std::string, std::string>> errors;
    for (const ErrorLine& error : report.errors) errors.emplace(error.where, error.reason);
    for (const Block& block : report.blocks) {
        for (const ErrorLine& error : block.errors) errors.emplace(error.where, error.reason);
        if (KindOf(block.id).verdicts) {
            tally.suspicious += static_cast<int>(block.entries.size());
            continue;
        }
        for (const Entry& entry : block.entries) {
            if (entry.folded) continue;
            if (entry.mark == Mark::kThirdParty) ++tally.thirdParty;
            if (entry.mark == Mark::kUnknown) ++tally.unknown;
        }
    }
    tally.errors = static_cast<int>(errors.size());
    return tally;
}

}  // namespace inventory

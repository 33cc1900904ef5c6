#include "Presentation.h"

namespace inventory {

std::vector<std::string> VerdictSentences(const Report& report) {
    std::vector<std::string> sentences;
    if (const Block* suspicious = report.Find(BlockId::kWfpSuspicious)) {
        for (const Entry& entry : suspicious->entries) {
            const std::string provider =
                entry.Text(FieldId::kProviderName).value_or(entry.Text(FieldId::kProviderKey).value_or("none"));
            sentences.push_back("WFP filter blocks " + entry.Text(FieldId::kProgram).value_or("") +
                                " from connecting (provider: " + provider + ")");
        }
    }
    return sentences;
}

std::string SummaryText(const Report& report) {
    const Tally tally = Count(report);
    std::string text;
    if (tally.thirdParty) text = std::to_string(tally.thirdParty) + " third-party";
    if (tally.unknown) text += (text.empty() ? "" : ", ") + std::to_string(tally.unknown) + " unknown";
    if (text.empty()) text = "nothing third-party or unknown";
    if (tally.suspicious) text += "; " + std::to_string(tally.suspicious) + " suspicious";
    if (tally.errors) text += "; " + std::to_string(tally.errors) + " unreadable";
    return text;
}

bool IsShown(const Entry& entry, bool all) {
    if (all) return true;
    if (!entry.mark || entry.folded) return false;
    return entry.alwaysShown || *entry.mark != Mark::kWindows;
}

}  // namespace inventory

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
    if (const Block* firewall = report.Find(BlockId::kFirewallSuspicious)) {
        for (const Entry& entry : firewall->entries) {
            const std::string subject = entry.Text(FieldId::kVerdictSubject).value_or("");
            if (entry.Text(FieldId::kVerdict) == "profile-off") {
                sentences.push_back("Windows Firewall is off for the " + subject + " profile");
                continue;
            }
            sentences.push_back("Firewall rule blocks " + entry.Text(FieldId::kBlockedProgram).value_or("") +
                                " from connecting (rule: " + entry.Text(FieldId::kBlockingRule).value_or(subject) +
                                ")");
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
    if (all || entry.alwaysShown) return true;
    return entry.mark && !entry.folded && *entry.mark != Mark::kWindows;
}

}  // namespace inventory

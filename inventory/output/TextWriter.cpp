#include <algorithm>

#include "RegistryText.h"
#include "Render.h"

namespace inventory {
namespace {

using Row = std::vector<std::string>;

// A column title from a field's JSON name: imagePath -> IMAGE PATH, typeText -> TYPE.
std::string Title(std::string_view name) {
    if (name.size() > 4 && name.substr(name.size() - 4) == "Text") name.remove_suffix(4);
    std::string title;
    for (const char c : name) {
        if (c >= 'A' && c <= 'Z' && !title.empty()) title += ' ';
        title += UpperAscii(c);
    }
    return title;
}

std::size_t DisplayWidth(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Columns with nothing in any shown row are left out; the header row stays.
std::vector<Row> WithoutEmptyColumns(const std::vector<Row>& rows) {
    std::vector<bool> keep(rows.front().size(), false);
    for (std::size_t r = 1; r < rows.size(); ++r)
        for (std::size_t i = 0; i < rows[r].size() && i < keep.size(); ++i)
            keep[i] = keep[i] || (rows[r][i] != "-" && !rows[r][i].empty());
    std::vector<Row> kept;
    for (const Row& row : rows) {
        Row narrower;
        for (std::size_t i = 0; i < row.size() && i < keep.size(); ++i)
            if (keep[i]) narrower.push_back(row[i]);
        kept.push_back(std::move(narrower));
    }
    return kept;
}

void AppendTable(std::string& out, const std::vector<Row>& rows) {
    std::vector<std::size_t> widths;
    for (const Row& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], DisplayWidth(row[i]));
    }
    for (const Row& row : rows) {
        std::string line = " ";
        for (std::size_t i = 0; i < row.size(); ++i) {
            line += ' ';
            line += row[i];
            if (i + 1 < row.size()) line.append(widths[i] - DisplayWidth(row[i]) + 1, ' ');
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
}

bool IsShown(const Entry& entry, bool all) {
    return all || entry.alwaysShown || !entry.mark || *entry.mark != Mark::kWindows;
}

// Unmarked entries (adapter bindings) are shown in full only with --all.
bool ShowsUnmarked(const Block& block, bool all) {
    return all && std::none_of(block.entries.begin(), block.entries.end(), [](const Entry& e) { return e.mark; });
}

std::string Summary(const Report& report) {
    const Tally tally = Count(report);
    std::vector<std::string> parts;
    if (tally.suspicious)
        parts.push_back(std::to_string(tally.suspicious) + " suspicious WFP filter" +
                        (tally.suspicious > 1 ? "s" : ""));
    if (tally.thirdParty) parts.push_back(std::to_string(tally.thirdParty) + " third-party");
    if (tally.unknown) parts.push_back(std::to_string(tally.unknown) + " unknown");
    if (tally.errors) parts.push_back(std::to_string(tally.errors) + " unreadable");
    std::string line = EscapeField(report.hive) + ": ";
    if (parts.empty()) return line + "nothing third-party or unknown";
    for (std::size_t i = 0; i < parts.size(); ++i) line += (i ? ", " : "") + parts[i];
    return line;
}

std::string FieldText(const Entry& entry, const char* name) {
    const Field* field = entry.Find(name);
    return field && field->value ? EscapeField(*field->value) : "";
}

// Filters that look like an agent being silenced come first, in words.
void AppendSuspicious(std::string& out, const Report& report) {
    const Block* suspicious = report.Find("wfp-suspicious");
    if (!suspicious) return;
    for (const Entry& entry : suspicious->entries) {
        std::string provider = FieldText(entry, "providerName");
        if (provider.empty()) provider = FieldText(entry, "providerKey");
        out += "  WFP filter blocks " + FieldText(entry, "program") +
               " from connecting (provider: " + (provider.empty() ? "none" : provider) + ")\n";
    }
}

void AppendBlock(std::string& out, const Block& block, bool all) {
    std::vector<const Entry*> shown;
    const bool unmarked = ShowsUnmarked(block, all);
    for (const Entry& entry : block.entries)
        if (entry.mark ? IsShown(entry, all) : unmarked) shown.push_back(&entry);
    if (shown.empty() && block.absent.empty() && block.notes.empty() && block.errors.empty()) return;

    out +=
        "\n" + block.name + " (" + std::to_string(shown.size()) + " of " + std::to_string(block.entries.size()) + ")\n";
    for (const std::string& path : block.absent) out += "  absent: " + EscapeField(path) + "\n";
    for (const std::string& note : block.notes) out += "  note: " + EscapeField(note) + "\n";
    if (!shown.empty()) {
        std::vector<Row> rows(1);
        if (shown.front()->mark) rows[0].push_back("MARK");
        for (const Field& field : shown.front()->fields)
            if (field.view != View::kNotInText) rows[0].push_back(Title(field.name));
        for (const Entry* entry : shown) {
            Row row;
            if (entry->mark) row.push_back(std::string(MarkText(*entry->mark)));
            for (const Field& field : entry->fields)
                if (field.view != View::kNotInText) row.push_back(field.value ? EscapeField(*field.value) : "-");
            rows.push_back(std::move(row));
        }
        AppendTable(out, WithoutEmptyColumns(rows));
    }
    for (const ErrorLine& error : block.errors)
        out += "  error: " + EscapeField(error.where) + ": " + EscapeField(error.reason) + "\n";
}

}  // namespace

std::string RenderText(const Report& report, bool all) {
    std::string out = Summary(report) + "\n";
    out += "  control set " + EscapeField(report.controlSet) + "\n";
    for (const std::string& note : report.notes) out += "  note: " + EscapeField(note) + "\n";
    for (const ErrorLine& error : report.errors)
        out += "  error: " + EscapeField(error.where) + ": " + EscapeField(error.reason) + "\n";
    AppendSuspicious(out, report);
    for (const Block& block : report.blocks)
        if (block.name != "wfp-suspicious") AppendBlock(out, block, all);
    return out + "\n";
}

}  // namespace inventory

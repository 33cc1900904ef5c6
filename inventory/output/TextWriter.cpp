#include <algorithm>

#include "BlockTable.h"
#include "Escape.h"
#include "FieldTraits.h"
#include "Presentation.h"
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

bool InText(const Field& field) {
    return (TraitsOf(field.id).views & FieldTraits::kInText) != 0;
}

// The fields a person reads first lead: a firewall rule's program, then what it does.
std::vector<const Field*> TextFields(const Entry& entry) {
    static constexpr FieldId kRuleOrder[] = {
        FieldId::kRuleProgram,     FieldId::kRuleDirection,       FieldId::kRuleAction, FieldId::kRuleLocalPorts,
        FieldId::kRuleRemotePorts, FieldId::kRuleRemoteAddresses, FieldId::kRuleName};
    std::vector<const Field*> fields;
    for (const FieldId id : kRuleOrder)
        if (const Field* field = entry.Find(id)) fields.push_back(field);
    for (const Field& field : entry.fields)
        if (InText(field) && std::find(fields.begin(), fields.end(), &field) == fields.end()) fields.push_back(&field);
    return fields;
}

void AppendBlock(std::string& out, const Block& block, const RenderOptions& options) {
    std::vector<const Entry*> shown;
    for (const Entry& entry : block.entries)
        if (IsShown(entry, options.all)) shown.push_back(&entry);
    if (options.byTime)  // ISO 8601 times sort as text; entries without one last
        std::stable_sort(shown.begin(), shown.end(), [](const Entry* a, const Entry* b) {
            return a->Text(FieldId::kLastWrite).value_or("") > b->Text(FieldId::kLastWrite).value_or("");
        });
    if (shown.empty() && block.absent.empty() && block.notes.empty() && block.errors.empty()) return;

    out += "\n" + std::string(KindOf(block.id).name) + " (" + std::to_string(shown.size()) + " of " +
           std::to_string(block.entries.size()) + ")\n";
    for (const std::string& path : block.absent) out += "  absent: " + EscapeField(path) + "\n";
    for (const std::string& note : block.notes) out += "  note: " + EscapeField(note) + "\n";
    if (!shown.empty()) {
        std::vector<Row> rows(1);
        if (shown.front()->mark) rows[0].push_back("MARK");
        for (const Field* field : TextFields(*shown.front())) rows[0].push_back(Title(TraitsOf(field->id).name));
        for (const Entry* entry : shown) {
            Row row;
            if (entry->mark) row.push_back(std::string(MarkText(*entry->mark)));
            for (const Field* field : TextFields(*entry))
                row.push_back(field->value ? EscapeField(*field->value) : "-");
            rows.push_back(std::move(row));
        }
        AppendTable(out, WithoutEmptyColumns(rows));
    }
    for (const ErrorLine& error : block.errors)
        out += "  error: " + EscapeField(error.where) + ": " + EscapeField(error.reason) + "\n";
}

}  // namespace

std::string RenderText(const Report& report, const RenderOptions& options) {
    std::string out = EscapeField(report.hive) + ": " + SummaryText(report) + "\n";
    out += "  control set " + EscapeField(report.controlSet) + "\n";
    for (const std::string& note : report.notes) out += "  note: " + EscapeField(note) + "\n";
    for (const ErrorLine& error : report.errors)
        out += "  error: " + EscapeField(error.where) + ": " + EscapeField(error.reason) + "\n";
    for (const std::string& verdict : VerdictSentences(report)) out += "  " + EscapeField(verdict) + "\n";
    for (const Block& block : report.blocks)
        if (!KindOf(block.id).verdicts) AppendBlock(out, block, options);
    return out + "\n";
}

}  // namespace inventory

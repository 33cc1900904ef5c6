#include "BlockTable.h"
#include "Escape.h"
#include "FieldTraits.h"
#include "Render.h"

namespace inventory {
namespace {

std::string LineValue(const Field& field, const FieldTraits& traits) {
    if (field.value) return EscapeField(*field.value);
    return traits.kind == FieldTraits::kText && !field.notApplicable ? "(absent)" : "-";
}

void AppendErrors(std::string& out, const std::vector<ErrorLine>& errors) {
    for (const ErrorLine& error : errors)
        out += "error\t" + EscapeField(error.where) + "\t" + EscapeField(error.reason) + "\n";
}

void AppendBlock(std::string& out, const Block& block) {
    const BlockKind& kind = KindOf(block.id);
    out += std::string("[") + kind.name + "] n=" + std::to_string(block.entries.size()) + "\n";
    for (const std::string& path : block.absent) out += "absent\t" + EscapeField(path) + "\n";
    for (const std::string& note : block.notes) out += "note\t" + EscapeField(note) + "\n";
    for (const Entry& entry : block.entries) {
        out += kind.tag;
        if (entry.mark) {
            out += '\t';
            out += MarkText(*entry.mark);
        }
        for (const Field& field : entry.fields) {
            const FieldTraits& traits = TraitsOf(field.id);
            if (!(traits.views & FieldTraits::kInLine)) continue;
            out += '\t';
            out += traits.label;
            out += LineValue(field, traits);
        }
        out += '\n';
    }
    AppendErrors(out, block.errors);
}

}  // namespace

std::string RenderTsv(const Report& report) {
    std::string out = "hive\t" + EscapeField(report.hive) + "\n";
    out += "controlset\t" + EscapeField(report.controlSet) + "\n";
    for (const std::string& note : report.notes) out += "note\t" + EscapeField(note) + "\n";
    AppendErrors(out, report.errors);
    for (const Block& block : report.blocks) AppendBlock(out, block);
    return out;
}

}  // namespace inventory

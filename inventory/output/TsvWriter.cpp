#include "RegistryText.h"
#include "Render.h"

namespace inventory {
namespace {

std::string LineValue(const Field& field) {
    if (field.value) return EscapeField(*field.value);
    return field.kind == FieldKind::kText ? "(absent)" : "-";
}

void AppendBlock(std::string& out, const Block& block) {
    out += "[" + block.name + "] n=" + std::to_string(block.entries.size()) + "\n";
    for (const std::string& path : block.absent) out += "absent\t" + EscapeField(path) + "\n";
    for (const std::string& note : block.notes) out += "note\t" + EscapeField(note) + "\n";
    for (const Entry& entry : block.entries) {
        out += block.tag;
        if (entry.mark) {
            out += '\t';
            out += MarkText(*entry.mark);
        }
        for (const Field& field : entry.fields) {
            if (field.view == View::kNotInLine) continue;
            out += '\t';
            out += field.label;
            out += LineValue(field);
        }
        out += '\n';
    }
    for (const ErrorLine& error : block.errors)
        out += "error\t" + EscapeField(error.where) + "\t" + EscapeField(error.reason) + "\n";
}

}  // namespace

std::string RenderTsv(const Report& report) {
    std::string out = "hive\t" + EscapeField(report.hive) + "\n";
    out += "controlset\t" + EscapeField(report.controlSet) + "\n";
    for (const std::string& note : report.notes) out += "note\t" + EscapeField(note) + "\n";
    for (const ErrorLine& error : report.errors)
        out += "error\t" + EscapeField(error.where) + "\t" + EscapeField(error.reason) + "\n";
    for (const Block& block : report.blocks) AppendBlock(out, block);
    return out;
}

}  // namespace inventory

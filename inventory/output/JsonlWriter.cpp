#include "BlockTable.h"
#include "FieldTraits.h"
#include "Json.h"
#include "Render.h"

namespace inventory {
namespace {

JsonObject NewObject(const Report& report, const Block* block = nullptr) {
    JsonObject object;
    object.Add("hive", report.hive);
    if (block) object.Add("block", KindOf(block->id).name);
    return object;
}

std::string RecordsJson(const std::vector<Record>& records) {
    std::string json = "[";
    for (const Record& record : records) {
        JsonObject object;
        for (const auto& [name, text] : record) object.Add(name, text);
        json += (json.size() > 1 ? "," : "") + object.Close();
    }
    return json + "]";
}

void AddField(JsonObject& object, const Field& field) {
    const FieldTraits& traits = TraitsOf(field.id);
    if (field.records)
        object.AddRaw(traits.name, RecordsJson(*field.records));
    else if (!field.value)
        object.AddNull(traits.name);
    else if (traits.kind == FieldTraits::kNumber)
        object.AddRaw(traits.name, *field.value);
    else
        object.Add(traits.name, *field.value);
}

}  // namespace

std::string RenderJsonl(const Report& report) {
    std::string out;
    const auto emit = [&](JsonObject& object) { out += object.Close() + "\n"; };
    {
        const Tally tally = Count(report);
        JsonObject object = NewObject(report);
        object.Add("controlSet", report.controlSet);
        object.AddRaw("thirdParty", std::to_string(tally.thirdParty));
        object.AddRaw("unknown", std::to_string(tally.unknown));
        object.AddRaw("suspicious", std::to_string(tally.suspicious));
        object.AddRaw("errors", std::to_string(tally.errors));
        emit(object);
    }
    for (const std::string& note : report.notes) {
        JsonObject object = NewObject(report);
        object.Add("note", note);
        emit(object);
    }
    for (const ErrorLine& error : report.errors) {
        JsonObject object = NewObject(report);
        object.Add("error", error.reason);
        object.Add("where", error.where);
        emit(object);
    }
    for (const Block& block : report.blocks) {
        for (const std::string& path : block.absent) {
            JsonObject object = NewObject(report, &block);
            object.Add("absent", path);
            emit(object);
        }
        for (const std::string& note : block.notes) {
            JsonObject object = NewObject(report, &block);
            object.Add("note", note);
            emit(object);
        }
        for (const Entry& entry : block.entries) {
            JsonObject object = NewObject(report, &block);
            if (entry.mark) object.Add("mark", MarkText(*entry.mark));
            for (const Field& field : entry.fields) AddField(object, field);
            emit(object);
        }
        for (const ErrorLine& error : block.errors) {
            JsonObject object = NewObject(report, &block);
            object.Add("error", error.reason);
            object.Add("where", error.where);
            emit(object);
        }
    }
    return out;
}

}  // namespace inventory

#include <algorithm>
#include <iterator>

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
    if (!(traits.views & FieldTraits::kInJson)) return;
    if (field.records)
        object.AddRaw(traits.name, RecordsJson(*field.records));
    else if (!field.value)
        object.AddNull(traits.name);
    else if (traits.kind == FieldTraits::kNumber)
        object.AddRaw(traits.name, *field.value);
    else
        object.Add(traits.name, *field.value);
}

// A stored name never takes the place of the record's own members (a rule
// that calls a field "mark" must not change the entry's mark).
void AddStored(JsonObject& object, const std::string& name, const std::vector<std::string>& values) {
    static constexpr const char* kOwn[] = {"hive", "block", "mark", "id", "version"};
    const bool own = std::any_of(std::begin(kOwn), std::end(kOwn), [&](const char* n) { return name == n; });
    const std::string key = own ? "rule." + name : name;
    if (values.size() == 1) {
        object.Add(key, values.front());
        return;
    }
    object.AddRaw(key, JsonStrings(values));
}

std::string ReplayJson(const LogReplaySummary& replay) {
    JsonObject object;
    object.AddRaw("replayed", replay.replayed ? "true" : "false");
    if (replay.replayed) {
        object.AddRaw("files", JsonStrings(replay.logs));
        object.AddRaw(replay.pages ? "pages" : "entries", std::to_string(replay.applied));
        if (!replay.pages) {
            object.AddRaw("firstSequence", std::to_string(replay.firstSequence));
            object.AddRaw("lastSequence", std::to_string(replay.lastSequence));
        }
    }
    object.AddRaw(replay.replayed ? "leftOut" : "why", JsonStrings(replay.refused));
    return object.Close();
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
        if (report.logReplay) object.AddRaw("logs", ReplayJson(*report.logReplay));
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
            for (const auto& [name, values] : entry.stored) AddStored(object, name, values);
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

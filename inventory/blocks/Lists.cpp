#include "Lists.h"

#include "RegistryText.h"

namespace inventory {
namespace data {
extern const char kWindowsServices[];
extern const char kWinsockDlls[];
extern const char kWfpProviders[];
extern const char kNetworkProviders[];
extern const char kWfpNames[];
}  // namespace data

namespace {

// Calls take(fields) for each line that is neither empty nor a # comment,
// its TAB-separated fields split.
template <typename Take>
void ForEachLine(std::string_view text, Take take) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#') continue;
        std::vector<std::string_view> fields;
        for (std::size_t tab; (tab = line.find('\t')) != std::string_view::npos; line.remove_prefix(tab + 1))
            fields.push_back(line.substr(0, tab));
        fields.push_back(line);
        take(fields);
    }
}

std::set<std::string> FirstFields(const char* text) {
    std::set<std::string> names;
    ForEachLine(text, [&](const std::vector<std::string_view>& fields) { names.insert(UpperAscii(fields[0])); });
    return names;
}

std::string_view Find(const std::map<std::string, std::string>& map, std::string_view value) {
    for (const auto& [key, name] : map)
        if (EqualsNoCase(name, value)) return key;
    return {};
}

}  // namespace

const Lists& Lists::Builtin() {
    static const Lists lists;
    return lists;
}

Lists::Lists()
    : services_(FirstFields(data::kWindowsServices)),
      winsockDlls_(FirstFields(data::kWinsockDlls)),
      wfpProviders_(FirstFields(data::kWfpProviders)),
      networkProviders_(FirstFields(data::kNetworkProviders)) {
    ForEachLine(data::kWfpNames, [&](const std::vector<std::string_view>& fields) {
        if (fields.size() < 3) return;
        auto& names = fields[0] == "layer" ? layers_ : conditions_;
        names.emplace(UpperAscii(fields[2]), std::string(fields[1]));
    });
}

bool Lists::Has(const std::set<std::string>& list, std::string_view name) {
    return list.count(UpperAscii(name)) != 0;
}

std::string_view Lists::Name(const std::map<std::string, std::string>& names, std::string_view guid) {
    const auto found = names.find(UpperAscii(guid));
    return found == names.end() ? std::string_view() : std::string_view(found->second);
}

std::string_view Lists::LayerGuid(std::string_view name) const {
    return Find(layers_, name);
}
std::string_view Lists::ConditionGuid(std::string_view name) const {
    return Find(conditions_, name);
}

}  // namespace inventory

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace inventory {

// A JSON string for UTF-8 text; a byte that is not part of valid UTF-8
// becomes U+FFFD, so the output is always valid JSON.
std::string JsonString(std::string_view text);
// A JSON array of strings.
std::string JsonStrings(const std::vector<std::string>& texts);

// One JSON object, built member by member.
class JsonObject {
public:
    void Add(std::string_view name, std::string_view text) { AddRaw(name, JsonString(text)); }
    void AddNull(std::string_view name) { AddRaw(name, "null"); }
    void AddRaw(std::string_view name, std::string_view json);
    std::string Close() { return text_ + "}"; }

private:
    std::string text_ = "{";
};

}  // namespace inventory

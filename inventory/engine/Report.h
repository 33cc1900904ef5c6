#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace inventory {

// os: shipped with Windows; 3p: evidence it was added later; ?: no evidence
// either way (shown like 3p: that is where filters hide).
enum class Mark { kWindows, kThirdParty, kUnknown };
std::string_view MarkText(Mark mark);

// How a field is written when its value is missing, and as what JSON type.
enum class FieldKind {
    kText,    // a string; missing: (absent), JSON null
    kNumber,  // a decimal number; missing: -, JSON null
    kWord,    // a token of the format (lwf, monitoring, 2/1/6); missing: -, JSON null
};

// Where a field shows: the line format is fixed; the text view and JSON
// carry more, and the text view shows some numbers in words instead.
enum class View {
    kEverywhere,
    kNotInText,  // a number the text view shows in words
    kNotInLine,  // beyond the line format
};

// Named texts: one item of a list-valued field.
using Record = std::vector<std::pair<std::string, std::string>>;

struct Field {
    const char* name;  // its JSON name
    FieldKind kind;
    std::optional<std::string> value;
    View view = View::kEverywhere;
    // Written before the value in the line format (sublayers=).
    const char* label = "";
    // A list of records (a filter's conditions), which JSON writes as an
    // array of objects; the other views write the value.
    std::optional<std::vector<Record>> records = std::nullopt;
};

struct Entry {
    std::optional<Mark> mark;  // unmarked blocks have none
    std::vector<Field> fields;
    // Shown in the text view whatever its mark (a layered Winsock provider).
    bool alwaysShown = false;

    const Field* Find(std::string_view name) const;
};

struct ErrorLine {
    std::string where;
    std::string reason;
};

// What one key held, as read: whether it exists, the items read from its
// subkeys or values, and the lines for those that could not be read.
template <typename Item>
struct KeyContents {
    std::string path;
    bool present = false;
    std::vector<Item> items;
    std::vector<ErrorLine> errors;
};

struct Block {
    Block(std::string blockName, std::string lineTag) : name(std::move(blockName)), tag(std::move(lineTag)) {}

    std::string name;  // services, ndis-filters, ...
    std::string tag;   // svc, lwf, ...
    std::vector<std::string> absent;
    std::vector<std::string> notes;
    std::vector<Entry> entries;
    std::vector<ErrorLine> errors;
};

// Everything read from one machine's SYSTEM registry, blocks in the format's order.
struct Report {
    std::string hive;
    std::string controlSet;
    std::vector<std::string> notes;
    std::vector<ErrorLine> errors;  // the control set could not be chosen or opened
    std::vector<Block> blocks;

    const Block* Find(std::string_view name) const;
};

// Entries marked 3p and ?, across every block but the ones that repeat entries.
struct Tally {
    int thirdParty = 0;
    int unknown = 0;
    int suspicious = 0;
    int errors = 0;
};
Tally Count(const Report& report);

}  // namespace inventory

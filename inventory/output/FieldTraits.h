#pragma once

#include "Report.h"

namespace inventory {

// How a field prints, and in which of the three views.
struct FieldTraits {
    enum Kind {
        kText,    // a string; missing: (absent) on the line, JSON null
        kNumber,  // a decimal number, a JSON number; missing: -, JSON null
        kWord,    // a token of the format (lwf, monitoring, 2/1/6); missing: -, JSON null
    };
    enum View : unsigned { kInLine = 1, kInText = 2, kInJson = 4 };

    FieldId id;
    const char* name;  // its JSON name, and its column's title in the text view
    Kind kind;
    unsigned views;
    const char* label = "";  // written before the value on the line (sublayers=)
};

const FieldTraits& TraitsOf(FieldId id);

}  // namespace inventory

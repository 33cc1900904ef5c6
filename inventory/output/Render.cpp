#include "Render.h"

#include "Escape.h"
#include "Json.h"

namespace inventory {

std::string RenderReport(const Report& report, const RenderOptions& options) {
    switch (options.format) {
        case Format::kTsv:
            return RenderTsv(report);
        case Format::kJsonl:
            return RenderJsonl(report);
        case Format::kText:
            break;
    }
    return RenderText(report, options);
}

std::string RenderFailure(std::string_view hive, std::string_view reason, const RenderOptions& options) {
    switch (options.format) {
        case Format::kTsv:
            return "hive\t" + EscapeField(hive) + "\nerror\thive\t" + EscapeField(reason) + "\n";
        case Format::kJsonl: {
            JsonObject object;
            object.Add("hive", hive);
            object.Add("error", reason);
            return object.Close() + "\n";
        }
        case Format::kText:
            break;
    }
    return EscapeField(hive) + ": cannot be read: " + EscapeField(reason) + "\n\n";
}

ExitStatus StatusOf(const Report& report) {
    const Tally tally = Count(report);
    if (tally.errors > 0) return kTrouble;
    if (tally.thirdParty + tally.unknown + tally.suspicious > 0) return kSomethingFound;
    return kNothingFound;
}

}  // namespace inventory

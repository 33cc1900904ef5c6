#include "Blocks.h"
#include "WfpFormat.h"
#include "WfpProviderMarks.h"

namespace inventory {

Block ReadWfpCallouts(Machine& machine) {
    Block block{"wfp-callouts", "wfpcall"};
    const WfpStore& wfp = machine.wfp;
    if (!wfp.callouts.present) block.absent.push_back(wfp.callouts.path);
    block.errors = wfp.callouts.errors;
    for (const WfpCallout& callout : wfp.callouts.items) {
        const Mark mark =
            callout.providerKey ? ProviderLineMark(wfp, machine.lists, *callout.providerKey) : Mark::kUnknown;
        block.entries.push_back(
            {mark,
             {{"key", FieldKind::kText, callout.key.Text()},
              {"providerKey", FieldKind::kWord,
               callout.providerKey ? std::optional(callout.providerKey->Text()) : std::nullopt},
              {"calloutId", FieldKind::kNumber, std::to_string(callout.calloutId)},
              {"applicableLayer", FieldKind::kText, callout.applicableLayer.Text(), View::kNotInText},
              {"layer", FieldKind::kText, WfpLayerText(callout.applicableLayer, machine.lists), View::kNotInLine},
              {"name", FieldKind::kText, callout.name},
              {"description", FieldKind::kText, callout.description, View::kNotInLine}}});
    }
    SortEntries(block, "key");
    return block;
}

}  // namespace inventory

#include "Blocks.h"
#include "WfpNames.h"
#include "WfpProviderMarks.h"

namespace inventory {

Block ReadWfpCallouts(Machine& machine) {
    Block block{BlockId::kWfpCallouts};
    const WfpStore& wfp = machine.Wfp();
    if (!wfp.callouts.present) block.absent.push_back(wfp.callouts.path);
    for (const WfpCallout& callout : wfp.callouts.Items(block.errors)) {
        const Mark mark = callout.providerKey
                              ? ProviderLineMark(wfp, machine.lists(), *callout.providerKey, block.errors)
                              : Mark::kUnknown;
        block.entries.push_back(
            {mark,
             {{FieldId::kKey, callout.key.Text()},
              {FieldId::kProviderKey, callout.providerKey ? std::optional(callout.providerKey->Text()) : std::nullopt},
              {FieldId::kCalloutId, std::to_string(callout.calloutId)},
              {FieldId::kApplicableLayer, callout.applicableLayer.Text()},
              {FieldId::kCalloutLayer, WfpLayerText(callout.applicableLayer, machine.lists())},
              {FieldId::kName, callout.name},
              {FieldId::kDetail, callout.description}}});
        block.entries.back().folded = mark == Mark::kThirdParty;
    }
    SortEntries(block, FieldId::kKey);
    return block;
}

}  // namespace inventory

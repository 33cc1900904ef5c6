#include "InventoryTable.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <set>
#include <utility>

#include "BlockTable.h"
#include "Escape.h"
#include "FieldTraits.h"
#include "LiveRegistry.h"
#include "Presentation.h"

using inventory::BlockId;
using inventory::Entry;
using FieldList = std::vector<inventory::FieldId>;
using F = inventory::FieldId;

namespace {

// Which fields fill a block's columns: in each list the first field that
// holds a value. The extras follow the name in brackets (a WFP provider's
// counts, as the text view gives them on its line). A new block is one row;
// a block without one shows its first field as its name.
struct BlockColumns {
    BlockId block;
    FieldList name, path, provider, extras;
    FieldList installed{F::kInstallTime}, vendor{F::kVendor}, lastWrite{F::kLastWrite};
};

const std::vector<BlockColumns>& ColumnTable() {
    static const std::vector<BlockColumns> table = {
        // block, name, path / DLL, provider / service, extras
        {BlockId::kServices, {F::kDisplayName, F::kName}, {F::kImagePath}, {F::kName}, {}},
        {BlockId::kNdisFilters, {F::kDescription, F::kComponentId}, {F::kInfPath}, {F::kService}, {}},
        {BlockId::kAdapterFilters, {F::kDriverDesc, F::kAdapter}, {}, {F::kAdapterFilters}, {}},
        {BlockId::kNdisProtocols, {F::kDescription, F::kComponentId}, {F::kInfPath}, {F::kService}, {}},
        {BlockId::kWinsockProtocols, {F::kProtocolName}, {F::kDll}, {F::kProviderId}, {}},
        {BlockId::kWinsockNamespaces, {F::kDisplayString}, {F::kLibraryPath}, {F::kProviderId}, {}},
        {BlockId::kWfpProviders,
         {F::kName, F::kKey},
         {F::kServiceImagePath},
         {F::kServiceName},
         {F::kCalloutCount, F::kFilterCount}},
        {BlockId::kWfpCallouts, {F::kName, F::kKey}, {}, {F::kProviderKey}, {}},
        {BlockId::kWfpFilters, {F::kName, F::kFilterKey}, {F::kProgram}, {F::kProviderName, F::kProviderKey}, {}},
        {BlockId::kNetworkProviders, {F::kName}, {F::kProviderPath}, {}, {}},
        {BlockId::kFirewallProfiles,
         {F::kProfile},
         {},
         {},
         {F::kFirewallState, F::kInboundDefault, F::kOutboundDefault}},
        {BlockId::kFirewallRules,
         {F::kRuleName, F::kRuleId},
         {F::kRuleProgram},
         {F::kRuleService},
         {F::kRuleDirection, F::kRuleAction}},
    };
    return table;
}

const BlockColumns& ColumnsOf(BlockId id) {
    static const BlockColumns unlisted{};
    const auto& table = ColumnTable();
    const auto found =
        std::find_if(table.begin(), table.end(), [&](const BlockColumns& row) { return row.block == id; });
    return found != table.end() ? *found : unlisted;
}

std::wstring Shown(std::string_view text) {
    return inventory::Widen(inventory::EscapeField(text));
}

std::wstring FirstValue(const Entry& entry, const FieldList& fields) {
    for (const F id : fields)
        if (const auto text = entry.Text(id)) return Shown(*text);
    return {};
}

std::wstring NameOf(const Entry& entry, const BlockColumns& columns) {
    std::wstring name;
    if (columns.name.empty()) {
        const auto first = std::find_if(entry.fields.begin(), entry.fields.end(),
                                        [](const inventory::Field& field) { return field.value.has_value(); });
        if (first != entry.fields.end()) name = Shown(*first->value);
    } else {
        name = FirstValue(entry, columns.name);
    }
    std::wstring extras;
    for (const F id : columns.extras)
        if (const auto text = entry.Text(id))
            extras += (extras.empty() ? L"" : L", ") + Shown(inventory::TraitsOf(id).name) + L" " + Shown(*text);
    if (!extras.empty()) name += (name.empty() ? L"(" : L" (") + extras + L")";
    return name;
}

}  // namespace

const wchar_t* InventoryTable::Title(std::size_t column) {
    static constexpr std::array<const wchar_t*, kColumnCount> kTitles{
        L"Block", L"Mark", L"Name", L"Path / DLL", L"Provider / service", L"Installed", L"Vendor", L"Last write"};
    return kTitles.at(column);
}

void InventoryTable::Fill(const inventory::Report& report, bool all) {
    rows_.clear();
    const auto add = [&](Row row) {
        row.order = rows_.size();
        rows_.push_back(std::move(row));
    };
    // A key several blocks depend on is reported by each of them, but shown once.
    std::set<std::pair<std::string, std::string>> errors;
    const auto addErrors = [&](const std::vector<inventory::ErrorLine>& lines, const std::wstring& block) {
        for (const inventory::ErrorLine& error : lines) {
            if (!errors.emplace(error.where, error.reason).second) continue;
            Row row{std::vector<std::wstring>(kColumnCount), true};
            row.cells[kBlock] = block;
            row.cells[kMark] = L"error";
            row.cells[kName] = Shown(error.reason);
            row.cells[kPath] = Shown(error.where);
            add(std::move(row));
        }
    };
    addErrors(report.errors, L"");
    for (const inventory::Block& block : report.blocks) {
        const inventory::BlockKind& kind = inventory::KindOf(block.id);
        const std::wstring blockName = Shown(kind.name);
        if (!kind.verdicts) {
            const BlockColumns& columns = ColumnsOf(block.id);
            for (const Entry& entry : block.entries) {
                if (!inventory::IsShown(entry, all)) continue;
                Row row{std::vector<std::wstring>(kColumnCount)};
                row.cells[kBlock] = blockName;
                if (entry.mark) row.cells[kMark] = Shown(inventory::MarkText(*entry.mark));
                row.cells[kName] = NameOf(entry, columns);
                row.cells[kPath] = FirstValue(entry, columns.path);
                row.cells[kProvider] = FirstValue(entry, columns.provider);
                row.cells[kInstalled] = FirstValue(entry, columns.installed);
                row.cells[kVendor] = FirstValue(entry, columns.vendor);
                row.cells[kLastWrite] = FirstValue(entry, columns.lastWrite);
                add(std::move(row));
            }
        }
        addErrors(block.errors, blockName);
    }
    Sort();
}

void InventoryTable::SortBy(std::size_t column) {
    ascending_ = column == sortColumn_ ? !ascending_ : true;
    sortColumn_ = column;
    Sort();
}

void InventoryTable::Sort() {
    if (sortColumn_ >= kColumnCount) return;
    std::sort(rows_.begin(), rows_.end(), [&](const Row& a, const Row& b) {
        const int order = lstrcmpiW(a.cells[sortColumn_].c_str(), b.cells[sortColumn_].c_str());
        if (order != 0) return ascending_ ? order < 0 : order > 0;
        return a.order < b.order;
    });
}

std::wstring InventoryTable::Tsv(const std::vector<std::size_t>& rows) const {
    std::wstring text;
    for (std::size_t column = 0; column < kColumnCount; ++column)
        text += (column ? L"\t" : L"") + std::wstring(Title(column));
    text += L"\r\n";
    for (const std::size_t row : rows) {
        for (std::size_t column = 0; column < kColumnCount; ++column)
            text += (column ? L"\t" : L"") + Cell(row, column);
        text += L"\r\n";
    }
    return text;
}

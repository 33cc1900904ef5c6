#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Report.h"

// What the network stack window's list view shows of a report: one row per
// entry the text view lists (every entry with `all`; verdict blocks are told
// in sentences instead) and one per distinct error line, in the report's
// order until a column sorts them. Cells are the engine's UTF-8, escaped as
// the text view escapes it, in UTF-16.
class InventoryTable {
public:
    enum Column : std::size_t { kBlock, kMark, kName, kPath, kProvider, kInstalled, kVendor, kLastWrite, kColumnCount };
    static const wchar_t* Title(std::size_t column);

    void Fill(const inventory::Report& report, bool all);
    std::size_t Size() const noexcept { return rows_.size(); }
    const std::wstring& Cell(std::size_t row, std::size_t column) const { return rows_.at(row).cells.at(column); }
    bool IsError(std::size_t row) const { return rows_.at(row).error; }

    // Sorts by a column's text, ignoring case; the same column again reverses
    // the order. Rows that compare equal keep the report's order. The order
    // holds for the next Fill too.
    void SortBy(std::size_t column);
    std::size_t SortColumn() const noexcept { return sortColumn_; }
    bool Ascending() const noexcept { return ascending_; }

    // The header line and the given rows, cells separated by tabs, each line
    // ended by CR LF: what Copy puts on the clipboard.
    std::wstring Tsv(const std::vector<std::size_t>& rows) const;

private:
    struct Row {
        std::vector<std::wstring> cells;
        bool error = false;
        std::size_t order = 0;  // its place in the report
    };
    void Sort();

    std::vector<Row> rows_;
    std::size_t sortColumn_ = kColumnCount;  // kColumnCount: the report's order
    bool ascending_ = true;
};

#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The names an enumeration delivers: indices 1 to Count(), lower bound 1,
// upper bound Count(); no entries when the count is 0.
class NameList {
public:
    static constexpr std::int32_t LBound() noexcept { return 1; }
    std::int32_t UBound() const noexcept { return Count(); }
    std::int32_t Count() const noexcept { return static_cast<std::int32_t>(names_.size()); }

    // 1-based; throws std::out_of_range outside 1..Count().
    const std::wstring& Item(std::int32_t index) const { return names_.at(static_cast<std::size_t>(index) - 1); }

    void Clear() noexcept { names_.clear(); }
    void Append(std::wstring name) { names_.push_back(std::move(name)); }

    auto begin() const noexcept { return names_.begin(); }
    auto end() const noexcept { return names_.end(); }

private:
    std::vector<std::wstring> names_;
};

// The face names met so far, kept in the font order, so that each name is
// compared with the others about once per run instead of at every rebuild.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace gvt {

class CFaceNameOrder {
public:
    // The rank of each name in the natural order of face names: names that
    // compare equal (they differ in letter case only) share a rank, a later
    // name has a higher one. Names not met before are sorted and merged in:
    // O(k log k) comparisons for k new names in a row that is already in
    // order, and O(k log n) for placing them among n known ones.
    std::vector<std::uint32_t> Ranks(const std::vector<std::wstring_view>& names);

    // Names an earlier run found in order. One comparison per name checks
    // that they still are (the order follows the user's locale); a list that
    // is not is sorted instead. Replaces what was known.
    void Seed(std::vector<std::wstring> names);

    // Every name met, in order.
    const std::vector<std::wstring>& Names() const noexcept { return m_names; }

private:
    void Insert(std::vector<std::wstring> added);
    void Reindex();

    std::vector<std::wstring> m_names;
    // Whether each name comes strictly after the one before it.
    std::vector<std::uint8_t> m_rising;
    std::vector<std::uint32_t> m_rank;
    std::unordered_map<std::wstring, std::uint32_t> m_position;
};

}  // namespace gvt

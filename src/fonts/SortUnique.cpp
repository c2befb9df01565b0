#include "fonts/SortUnique.h"

#include "fontdata/FaceName.h"
#include "fonts/FontOrder.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace gvt {

namespace {

using CRecordPtr = boost::shared_ptr<CLogFontW>;

// The font order as integers: the rank of the face name among the distinct
// names, then the style fields as CompareStyle takes them.
struct CSortKey {
    std::uint32_t Rank;
    BYTE StrikeOut;
    BYTE Underline;
    BYTE Italic;
    LONG Weight;
    LONG Height;
    std::uint32_t Arrival;
};

bool SameTies(const CSortKey& a, const CSortKey& b) noexcept
{
    return a.Rank == b.Rank && a.StrikeOut == b.StrikeOut && a.Underline == b.Underline && a.Italic == b.Italic &&
           a.Weight == b.Weight && a.Height == b.Height;
}

// Ties: the later arrival first.
bool Before(const CSortKey& a, const CSortKey& b) noexcept
{
    if (a.Rank != b.Rank)
        return a.Rank < b.Rank;
    if (a.StrikeOut != b.StrikeOut)
        return a.StrikeOut < b.StrikeOut;
    if (a.Underline != b.Underline)
        return a.Underline < b.Underline;
    if (a.Italic != b.Italic)
        return a.Italic < b.Italic;
    if (a.Weight != b.Weight)
        return a.Weight < b.Weight;
    if (a.Height != b.Height)
        return a.Height < b.Height;
    return a.Arrival > b.Arrival;
}

// The rank of every record's face name.
std::vector<std::uint32_t> NameRanks(const std::vector<CRecordPtr>& records, CFaceNameOrder& order)
{
    std::unordered_map<std::wstring_view, std::uint32_t> ids;
    std::vector<std::wstring_view> names;
    std::vector<std::uint32_t> nameOf(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        // A face's styles, and with all character sets its twins, come in a row.
        const std::wstring_view name = FaceName(*records[i]);
        if (i > 0 && name == FaceName(*records[i - 1])) {
            nameOf[i] = nameOf[i - 1];
            continue;
        }
        const auto inserted = ids.emplace(name, static_cast<std::uint32_t>(names.size()));
        if (inserted.second)
            names.push_back(name);
        nameOf[i] = inserted.first->second;
    }
    const std::vector<std::uint32_t> rankOfName = order.Ranks(names);
    for (std::uint32_t& id : nameOf)
        id = rankOfName[id];
    return nameOf;
}

}  // namespace

void SortUnique(std::vector<CRecordPtr>& records)
{
    CFaceNameOrder order;
    SortUnique(records, order);
}

void SortUnique(std::vector<CRecordPtr>& records, CFaceNameOrder& order)
{
    const std::vector<std::uint32_t> ranks = NameRanks(records, order);
    std::vector<CSortKey> keys(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const CLogFontW& lf = *records[i];
        keys[i] = CSortKey{ranks[i], lf.lfStrikeOut, lf.lfUnderline, lf.lfItalic,
                           lf.lfWeight, lf.lfHeight, static_cast<std::uint32_t>(i)};
    }
    std::sort(keys.begin(), keys.end(), Before);

    std::vector<CRecordPtr> sorted;
    sorted.reserve(records.size());
    std::vector<CRecordPtr> kept;
    for (std::size_t first = 0; first < keys.size();) {
        std::size_t last = first + 1;
        while (last < keys.size() && SameTies(keys[first], keys[last]))
            ++last;
        if (last - first == 1) {
            sorted.push_back(std::move(records[keys[first].Arrival]));
        } else {
            // The run of ties is taken in the order of arrival, each record
            // checked against those kept before it, as the insertion did.
            kept.clear();
            for (std::size_t k = last; k-- > first;) {
                CRecordPtr& record = records[keys[k].Arrival];
                if (std::none_of(kept.begin(), kept.end(),
                                 [&](const CRecordPtr& other) { return EqualLogFont(*other, *record); }))
                    kept.push_back(std::move(record));
            }
            sorted.insert(sorted.end(), std::make_move_iterator(kept.rbegin()), std::make_move_iterator(kept.rend()));
        }
        first = last;
    }
    records.swap(sorted);
}

}  // namespace gvt

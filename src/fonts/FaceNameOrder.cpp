#include "fonts/FaceNameOrder.h"

#include "fonts/FontOrder.h"

#include <algorithm>
#include <unordered_set>

namespace gvt {

namespace {

bool Less(const std::wstring& a, const std::wstring& b) noexcept
{
    return CompareFaceNames(a.c_str(), b.c_str()) < 0;
}

// A natural merge sort: the runs that are already in order are found with
// one comparison per name and merged pairwise, so names that come in order
// cost no more than that, and a few interleaved runs little more. Merging is
// stable and stays in bounds even if the system's order were not a strict one.
void SortNames(std::vector<std::wstring>& names)
{
    std::vector<std::size_t> runs{0};
    for (std::size_t i = 1; i < names.size(); ++i)
        if (Less(names[i], names[i - 1]))
            runs.push_back(i);
    runs.push_back(names.size());
    std::vector<std::wstring> merged;
    while (runs.size() > 2) {
        merged.clear();
        merged.reserve(names.size());
        std::vector<std::size_t> next{0};
        for (std::size_t r = 0; r + 1 < runs.size(); r += 2) {
            const auto first = names.begin() + static_cast<std::ptrdiff_t>(runs[r]);
            const auto middle = names.begin() + static_cast<std::ptrdiff_t>(runs[r + 1]);
            const auto last = r + 2 < runs.size() ? names.begin() + static_cast<std::ptrdiff_t>(runs[r + 2]) : middle;
            std::merge(std::make_move_iterator(first), std::make_move_iterator(middle), std::make_move_iterator(middle),
                       std::make_move_iterator(last), std::back_inserter(merged), Less);
            next.push_back(merged.size());
        }
        names.swap(merged);
        runs.swap(next);
    }
}

}  // namespace

std::vector<std::uint32_t> CFaceNameOrder::Ranks(const std::vector<std::wstring_view>& names)
{
    std::vector<std::wstring> texts(names.begin(), names.end());
    std::vector<std::wstring> added;
    std::unordered_set<std::wstring> seen;
    for (const std::wstring& text : texts)
        if (m_position.count(text) == 0 && seen.insert(text).second)
            added.push_back(text);
    if (!added.empty())
        Insert(std::move(added));

    std::vector<std::uint32_t> ranks;
    ranks.reserve(texts.size());
    for (const std::wstring& text : texts)
        ranks.push_back(m_rank[m_position.find(text)->second]);
    return ranks;
}

void CFaceNameOrder::Seed(std::vector<std::wstring> names)
{
    m_names.clear();
    m_rising.clear();
    bool inOrder = true;
    std::vector<std::uint8_t> rising(names.size(), 0);
    for (std::size_t i = 1; i < names.size() && inOrder; ++i) {
        const int step = CompareFaceNames(names[i - 1].c_str(), names[i].c_str());
        inOrder = step <= 0;
        rising[i] = step < 0;
    }
    if (!inOrder) {
        Insert(std::move(names));
        return;
    }
    m_names = std::move(names);
    m_rising = std::move(rising);
    Reindex();
}

// Each new name goes after the known names not greater than it. Only a new
// name is compared with the name before it; the others keep what they knew.
void CFaceNameOrder::Insert(std::vector<std::wstring> added)
{
    SortNames(added);
    std::vector<std::wstring> names;
    std::vector<std::uint8_t> rising;
    std::vector<std::uint8_t> isNew;
    names.reserve(m_names.size() + added.size());
    auto known = m_names.begin();
    std::size_t knownIndex = 0;
    const auto takeKnownUpTo = [&](std::vector<std::wstring>::iterator end) {
        for (; known != end; ++known, ++knownIndex) {
            names.push_back(std::move(*known));
            rising.push_back(knownIndex < m_rising.size() ? m_rising[knownIndex] : 0);
            isNew.push_back(0);
        }
    };
    for (std::wstring& name : added) {
        takeKnownUpTo(std::upper_bound(known, m_names.end(), name, Less));
        names.push_back(std::move(name));
        rising.push_back(0);
        isNew.push_back(1);
    }
    takeKnownUpTo(m_names.end());

    // A known name right after a new one is greater than it: the new name
    // went after every known name not greater than itself.
    for (std::size_t i = 1; i < names.size(); ++i) {
        if (isNew[i])
            rising[i] = Less(names[i - 1], names[i]);
        else if (isNew[i - 1])
            rising[i] = 1;
    }
    if (!rising.empty())
        rising[0] = 0;
    m_names = std::move(names);
    m_rising = std::move(rising);
    Reindex();
}

void CFaceNameOrder::Reindex()
{
    m_rank.resize(m_names.size());
    m_position.clear();
    m_position.reserve(m_names.size());
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        rank += m_rising[i];
        m_rank[i] = rank;
        m_position.emplace(m_names[i], static_cast<std::uint32_t>(i));
    }
}

}  // namespace gvt

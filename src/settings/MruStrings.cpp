#include "settings/MruStrings.h"

#include <algorithm>

CMruStrings::Entry CMruStrings::Add(const std::wstring& text)
{
    Entry entry(new CSameNamedString(text));
    const CSameTextValue same;
    auto found = std::find_if(m_entries.begin(), m_entries.end(),
                              [&](const Entry& e) { return same(e->Text(), text); });
    if (found != m_entries.end())
        m_entries.erase(found);
    m_entries.push_front(entry);
    while (m_entries.size() > MaxSize)
        m_entries.pop_back();
    return m_entries.empty() ? Entry() : m_entries.front();
}

int CMruStrings::IndexOf(const std::wstring& text) const
{
    const CSameTextValue same;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (same(m_entries[i]->Text(), text))
            return static_cast<int>(i);
    return -1;
}

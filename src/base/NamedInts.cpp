#include "base/NamedInts.h"

#include "base/ResourceString.h"

CNamedInt::CNamedInt(int value) : Name(std::to_wstring(value)), Value(value) {}

void CNamedInt::SetName(UINT id)
{
    if (id == 0)
        Name.clear();
    else
        LoadResourceString(Name, id);
}

void CNamedInts::AddNamed(UINT id, int value)
{
    auto entry = boost::shared_ptr<CNamedInt>(new CNamedInt(value));
    entry->SetName(id);
    m_entries.push_back(entry);
}

int CNamedInts::FindValue(int value) const
{
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i]->Value == value)
            return static_cast<int>(i);
    return -1;
}

std::wstring CNamedInts::NameOf(int value) const
{
    const int i = FindValue(value);
    return i < 0 ? std::wstring() : m_entries[static_cast<std::size_t>(i)]->Name;
}

CNamedInts::Entry CNamedInts::At(int index) const
{
    if (index < 0 || index >= Count())
        return Entry();
    return m_entries[static_cast<std::size_t>(index)];
}

LRESULT CNamedInts::AddToCombo(HWND combo) const
{
    LRESULT result = CB_ERR;
    for (const Entry& e : m_entries)
        result = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e->Name.c_str()));
    return result;
}

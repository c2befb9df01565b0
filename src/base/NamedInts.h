// Ordered (name, integer) tables whose names come from the string table.
#pragma once

#include <windows.h>

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

class CNamedInt {
public:
    // Name defaults to the value's decimal text.
    explicit CNamedInt(int value);

    // Name := string resource id; id 0 gives an empty name.
    void SetName(UINT id);

    std::wstring Name;
    int Value;
};

class CNamedInts {
public:
    using Entry = boost::shared_ptr<const CNamedInt>;

    void AddNamed(UINT id, int value);

    int FindValue(int value) const;          // index of the first match, or -1
    std::wstring NameOf(int value) const;    // empty text when absent
    Entry At(int index) const;               // none when out of range
    int Count() const { return static_cast<int>(m_entries.size()); }

    // CB_ADDSTRING of every name in table order; the last result, or -1.
    LRESULT AddToCombo(HWND combo) const;

private:
    std::vector<Entry> m_entries;
};

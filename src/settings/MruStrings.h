// The most-recently-used list of texts (the sample-text history).
#pragma once

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <deque>
#include <string>

// An entry of the list: an immutable text whose equality is exact.
class CSameNamedString {
public:
    explicit CSameNamedString(std::wstring text) : m_text(std::move(text)) {}
    const std::wstring& Text() const noexcept { return m_text; }
    bool operator==(const std::wstring& other) const noexcept { return m_text == other; }

private:
    std::wstring m_text;
};

// Equality of sample texts: same length and the same UTF-16 units, nothing folded.
struct CSameTextValue {
    bool operator()(const std::wstring& a, const std::wstring& b) const noexcept { return a == b; }
};

class CMruStrings {
public:
    using Entry = boost::shared_ptr<const CSameNamedString>;
    using Entries = std::deque<Entry>;

    CMruStrings() = default;
    CMruStrings(std::uint32_t maxSize, bool saveContents) : MaxSize(maxSize), SaveContents(saveContents) {}

    // Moves text to the front (removing an equal entry first) and cuts the
    // list to MaxSize. Returns the new first entry.
    Entry Add(const std::wstring& text);

    int IndexOf(const std::wstring& text) const;
    std::size_t Count() const noexcept { return m_entries.size(); }
    const Entry& At(std::size_t i) const { return m_entries.at(i); }

    Entries::const_iterator begin() const noexcept { return m_entries.begin(); }
    Entries::const_iterator end() const noexcept { return m_entries.end(); }

    // The entries themselves, for the settings copy and the file reader.
    Entries& Items() noexcept { return m_entries; }
    const Entries& Items() const noexcept { return m_entries; }

    std::uint32_t MaxSize = 20;
    bool SaveContents = true;

private:
    Entries m_entries;
};

// Finding a row of the font list by typing the start of its face name, as
// Explorer does: characters typed in quick succession form a prefix, a
// repeated single character steps through the faces with that initial.
#pragma once

#include "fonts/LogFont.h"

#include <windows.h>

#include <string>

namespace gvt {

struct CFindResult {
    enum EKind {
        Nothing,   // no search: an empty prefix, or half of a surrogate pair
        Found,     // select Row
        NotFound,  // the selection stays; the caller beeps
    };
    EKind Kind = Nothing;
    int Row = -1;
};

class CTypeToFind {
public:
    // Milliseconds within which typed characters join one prefix: the
    // double-click time, but at least one second.
    static DWORD Timeout() noexcept;

    // A printable character typed at `now` (milliseconds, wrapping). The
    // search runs over rows from `current` (the selected row, -1 for none)
    // on, wrapping; a repeated single character starts after it.
    CFindResult Type(wchar_t ch, DWORD now, DWORD timeout, const CLogFontList& rows, int current);
    // Drops the last character of the prefix and searches again from current.
    CFindResult Backspace(DWORD now, DWORD timeout, const CLogFontList& rows, int current);

    const std::wstring& Prefix() const noexcept { return m_prefix; }

private:
    void Expire(DWORD now, DWORD timeout);
    CFindResult Search(const std::wstring& prefix, const CLogFontList& rows, int first) const;

    std::wstring m_prefix;
    DWORD m_last = 0;
};

// Whether the face name starts with the prefix, ignoring case, the width of
// letters and digits, and the difference of hiragana and katakana. A
// leading "@" of the name is skipped unless the prefix starts with one.
bool FaceStartsWith(const wchar_t* faceName, const std::wstring& prefix);

}  // namespace gvt

#include "fontlist/TypeToFind.h"

#include "base/Utf16.h"
#include "fontdata/FaceName.h"

#include <algorithm>
#include <cwchar>

namespace gvt {

namespace {

constexpr DWORD kMinimumTimeout = 1000;

// The text as it is compared: full-width ASCII as ASCII, katakana as
// hiragana, then upper case; one unit for one unit.
std::wstring Folded(const wchar_t* text, std::size_t length)
{
    std::wstring folded(text, length);
    for (wchar_t& c : folded) {
        if (c >= 0xFF01 && c <= 0xFF5E)
            c = static_cast<wchar_t>(c - 0xFF01 + 0x21);
        else if (c == 0x3000)
            c = L' ';
        else if (c >= 0x30A1 && c <= 0x30F6)
            c = static_cast<wchar_t>(c - 0x60);
    }
    if (!folded.empty())
        ::CharUpperBuffW(&folded[0], static_cast<DWORD>(folded.size()));
    return folded;
}

// The first row after `current` with another face: the styles of a face
// are one step for a repeated letter. Rows of a face stand together in the
// font order.
int NextFace(const CLogFontList& rows, int current)
{
    const int count = static_cast<int>(rows.size());
    if (current < 0 || current >= count)
        return 0;
    const std::wstring_view face = FaceName(*rows[static_cast<std::size_t>(current)]);
    int next = current + 1;
    while (next < count && FaceName(*rows[static_cast<std::size_t>(next)]) == face)
        ++next;
    return next;
}

bool SameFolded(wchar_t a, wchar_t b)
{
    return Folded(&a, 1) == Folded(&b, 1);
}

}  // namespace

bool FaceStartsWith(const wchar_t* faceName, const std::wstring& prefix)
{
    // The array may be full without a terminator.
    std::size_t room = LF_FACESIZE;
    if (IsVerticalFace(faceName) && !IsVerticalFace(prefix.c_str())) {
        ++faceName;
        --room;
    }
    const std::size_t length = ::wcsnlen(faceName, room);
    if (length < prefix.size())
        return false;
    return Folded(faceName, prefix.size()) == Folded(prefix.c_str(), prefix.size());
}

DWORD CTypeToFind::Timeout() noexcept
{
    return std::max<DWORD>(::GetDoubleClickTime(), kMinimumTimeout);
}

void CTypeToFind::Expire(DWORD now, DWORD timeout)
{
    if (now - m_last > timeout)
        m_prefix.clear();
    m_last = now;
}

CFindResult CTypeToFind::Type(wchar_t ch, DWORD now, DWORD timeout, const CLogFontList& rows, int current)
{
    Expire(now, timeout);
    m_prefix.push_back(ch);
    // The rest of the character comes with the next message.
    if (IsHighSurrogate(ch))
        return CFindResult{};
    const bool repeated = m_prefix.size() > 1 && std::all_of(m_prefix.begin(), m_prefix.end(), [&](wchar_t c) {
                              return SameFolded(c, ch);
                          });
    if (repeated)
        return Search(std::wstring(1, ch), rows, NextFace(rows, current));
    return Search(m_prefix, rows, std::max(current, 0));
}

CFindResult CTypeToFind::Backspace(DWORD now, DWORD timeout, const CLogFontList& rows, int current)
{
    Expire(now, timeout);
    if (m_prefix.empty())
        return CFindResult{};
    m_prefix.pop_back();
    if (!m_prefix.empty() && IsHighSurrogate(m_prefix.back()))
        m_prefix.pop_back();
    if (m_prefix.empty())
        return CFindResult{};
    return Search(m_prefix, rows, std::max(current, 0));
}

CFindResult CTypeToFind::Search(const std::wstring& prefix, const CLogFontList& rows, int first) const
{
    const int count = static_cast<int>(rows.size());
    for (int k = 0; k < count; ++k) {
        const int row = (first + k) % count;
        if (FaceStartsWith(rows[static_cast<std::size_t>(row)]->lfFaceName, prefix))
            return CFindResult{CFindResult::Found, row};
    }
    return CFindResult{CFindResult::NotFound, -1};
}

}  // namespace gvt

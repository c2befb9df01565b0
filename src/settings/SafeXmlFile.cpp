#include "settings/SafeXmlFile.h"

#include "base/Exception.h"
#include "framework/UniqueHandle.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

// Follows the prolog in one code unit layout: markup between "<" and ">"
// until the root element's start tag, skipping comments and processing
// instructions, where a document type declaration is only text.
class CPrologScan {
public:
    enum class Outcome { Open, DocumentType, RootElement };

    Outcome Result() const noexcept { return m_outcome; }

    void Feed(std::uint32_t unit) noexcept
    {
        if (m_outcome != Outcome::Open)
            return;
        switch (m_state) {
        case State::Between:
            if (unit == '<')
                m_state = State::Markup;
            break;
        case State::Markup:
            if (unit == '?' || unit == '!') {
                m_state = unit == '?' ? State::Instruction : State::Declaration;
                m_matched = 0;
            } else {
                m_outcome = Outcome::RootElement;
            }
            break;
        case State::Declaration:
            FeedDeclaration(unit);
            break;
        case State::Comment:
            // Ends at "-->".
            if (unit == '>' && m_matched == 2)
                m_state = State::Between;
            m_matched = unit == '-' ? std::min<std::size_t>(m_matched + 1, 2) : 0;
            break;
        case State::Instruction:
            // Ends at "?>".
            if (unit == '>' && m_matched == 1)
                m_state = State::Between;
            m_matched = unit == '?' ? 1 : 0;
            break;
        }
    }

private:
    enum class State { Between, Markup, Declaration, Comment, Instruction };

    // After "<!": "--" opens a comment, "DOCTYPE" is the declaration. Nothing
    // else may stand in a prolog; the parser refuses it, and the scan reads
    // it as text.
    void FeedDeclaration(std::uint32_t unit) noexcept
    {
        static const char comment[] = "--";
        static const char doctype[] = "DOCTYPE";
        if (m_matched == 0)
            m_keyword = unit == '-' ? comment : doctype;
        if (unit != static_cast<unsigned char>(m_keyword[m_matched])) {
            m_state = State::Between;
            Feed(unit);
            return;
        }
        if (m_keyword[++m_matched] != '\0')
            return;
        if (m_keyword == doctype) {
            m_outcome = Outcome::DocumentType;
        } else {
            m_state = State::Comment;
            m_matched = 0;
        }
    }

    State m_state = State::Between;
    Outcome m_outcome = Outcome::Open;
    const char* m_keyword = nullptr;
    std::size_t m_matched = 0;
};

// The bytes of the file read as code units of one width and byte order.
class CLayoutScan {
public:
    CLayoutScan(std::size_t width, bool bigEndian) noexcept : m_width(width), m_bigEndian(bigEndian) {}

    void Feed(unsigned char byte) noexcept
    {
        m_unit = m_bigEndian ? (m_unit << 8) | byte : m_unit | (static_cast<std::uint32_t>(byte) << (8 * m_have));
        if (++m_have < m_width)
            return;
        m_scan.Feed(m_unit);
        m_unit = 0;
        m_have = 0;
    }

    CPrologScan::Outcome Result() const noexcept { return m_scan.Result(); }

private:
    std::size_t m_width;
    bool m_bigEndian;
    std::uint32_t m_unit = 0;
    std::size_t m_have = 0;
    CPrologScan m_scan;
};

}  // namespace

HRESULT FindDocumentTypeDeclaration(const std::wstring& path, bool& found)
{
    found = false;
    gvt::CUniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return LastErrorResult();

    // The parser may read the file in any of these; each is followed on its own.
    std::array<CLayoutScan, 5> scans{{{1, false}, {2, false}, {2, true}, {4, false}, {4, true}}};
    std::vector<unsigned char> piece(kScanChunkSize);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), piece.data(), static_cast<DWORD>(piece.size()), &read, nullptr))
            return LastErrorResult();
        for (CLayoutScan& scan : scans) {
            for (DWORD i = 0; i < read && scan.Result() == CPrologScan::Outcome::Open; ++i)
                scan.Feed(piece[i]);
        }
        found = std::any_of(scans.begin(), scans.end(), [](const CLayoutScan& scan) {
            return scan.Result() == CPrologScan::Outcome::DocumentType;
        });
        const bool decided = std::none_of(scans.begin(), scans.end(), [](const CLayoutScan& scan) {
            return scan.Result() == CPrologScan::Outcome::Open;
        });
        if (found || decided || read == 0)
            return S_OK;
    }
}

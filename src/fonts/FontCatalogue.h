// The font catalogue: every concrete style (face, character set, weight,
// italic state) that the system really renders, kept sorted by the font order
// and free of equal records, and the displayed list filtered from it.
#pragma once

#include "fonts/FontSource.h"
#include "fonts/LogFont.h"
#include "settings/FontListDlgSetting.h"

#include <cstddef>
#include <vector>

namespace gvt {

class CFontCatalogue : private CFontSink {
public:
    // Mask bits that decide which enumerated faces are taken.
    static constexpr DWORD SkipVertical = 0x1;
    static constexpr DWORD SkipHorizontal = 0x2;
    static constexpr DWORD SkipRaster = 0x4;
    static constexpr DWORD SkipTrueType = 0x8;

    static DWORD ExclusionMask(const CFontListDlgSetting& setting) noexcept;

    // With enumerate, rebuilds the catalogue from the source first; then runs
    // the weight and italic filter. The source is open for the whole call.
    // Returns the displayed list, valid until the next call.
    const CLogFontList& Reload(bool enumerate, const CFontListDlgSetting& setting, CFontSource& source);

    // Gives every record the new height. The displayed list shares the
    // records, so it sees the change too.
    void SetHeight(int size) noexcept;

    const CLogFontList& Displayed() const noexcept { return m_displayed; }

    std::size_t Count() const noexcept { return m_records.size(); }
    CLogFontPtr At(std::size_t i) const { return m_records.at(i); }

private:
    using CRecordPtr = boost::shared_ptr<CLogFontW>;

    void Rebuild(const CFontListDlgSetting& setting, CFontSource& source);
    void OnFace(const LOGFONTW& lf, DWORD fontType) override;
    void ExpandStyles(const LOGFONTW& enumerated);
    void FindNameRun(const wchar_t* faceName);
    bool ProbeStyle(const LOGFONTW& lf);
    bool InsertUnique(const LOGFONTW& lf);
    void Filter(const CFontListDlgSetting& setting);

    std::vector<CRecordPtr> m_records;
    CLogFontList m_displayed;

    // Valid only while an enumeration runs: the source, the mask, and the
    // records [First, Last) whose face names compare equal to Name, the face
    // being expanded. Only that face's styles are inserted meanwhile, all
    // inside the run, so the names are compared once per face, not per style.
    CFontSource* m_source = nullptr;
    DWORD m_mask = 0;
    struct CNameRun {
        bool Valid = false;
        wchar_t Name[LF_FACESIZE] = {};
        std::size_t First = 0;
        std::size_t Last = 0;
    } m_run;
};

}  // namespace gvt

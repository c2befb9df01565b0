// A glyph filter pass in the background: the styles whose glyphs are not
// known yet are asked about on a thread of its own (with a glyph source, and
// so a device context, of its own), and the answers handed over to the
// window's thread in batches (base/HandOver.h).
#pragma once

#include "base/HandOver.h"
#include "fonts/GlyphCoverage.h"

#include <functional>
#include <memory>
#include <vector>

namespace gvt {

// Done counts the styles answered, Total the styles asked about.
struct CGlyphNews : CWorkProgress {
    std::vector<CGlyphAnswer> Answers;
};

using CGlyphPass = CHandOver<CGlyphNews>;

// Answers the questions in order on the calling thread until the pass is
// cancelled; a style whose lookup throws is answered as having no glyph, and
// logged. Ends with pass.Finish().
void CheckGlyphs(CGlyphSource& source, const std::vector<CGlyphQuestion>& questions, CGlyphPass& pass);

// CheckGlyphs on a thread of its own, with a source made there. False when no
// thread could be started.
bool StartGlyphThread(std::function<std::unique_ptr<CGlyphSource>()> makeSource,
                      std::vector<CGlyphQuestion> questions, const std::shared_ptr<CGlyphPass>& pass);

}  // namespace gvt

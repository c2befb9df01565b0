#include "fonts/GlyphPass.h"

#include "base/WorkerThread.h"
#include "framework/DebugLog.h"

#include <string>
#include <utility>

namespace gvt {

void CheckGlyphs(CGlyphSource& source, const std::vector<CGlyphQuestion>& questions, CGlyphPass& pass)
{
    struct CFinish {
        CGlyphPass& Pass;
        ~CFinish() { Pass.Finish(); }
    } const finish{pass};
    pass.Hand([&](CGlyphNews& news) { news.Total = questions.size(); }, false);
    for (const CGlyphQuestion& question : questions) {
        if (pass.Cancelled())
            return;
        CGlyphAnswer answer{question.Lf, question.Chars, std::vector<bool>(question.Chars.size(), false)};
        try {
            source.FindGlyphs(question.Lf, question.Chars, answer.Present);
        } catch (...) {
            LogCaughtException((L"looking up the glyphs of " + std::wstring(question.Lf.lfFaceName)).c_str());
            answer.Present.assign(question.Chars.size(), false);
        }
        pass.Hand(
            [&](CGlyphNews& news) {
                news.Answers.push_back(std::move(answer));
                ++news.Done;
            },
            false);
    }
}

bool StartGlyphThread(std::function<std::unique_ptr<CGlyphSource>()> makeSource,
                      std::vector<CGlyphQuestion> questions, const std::shared_ptr<CGlyphPass>& pass)
{
    return StartWorkerThread(
        [makeSource = std::move(makeSource), questions = std::move(questions), pass] {
            const std::unique_ptr<CGlyphSource> source = makeSource();
            CheckGlyphs(*source, questions, *pass);
        },
        [pass] { pass->Finish(); }, L"the glyph filter thread");
}

}  // namespace gvt

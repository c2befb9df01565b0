// Copies the selected font's face name, optionally with its weight and
// italic word, to the clipboard.
#pragma once

#include "base/Msg.h"
#include "commands/Command.h"

#include <windows.h>

#include <string>

namespace gvt {

class CCommandCopy final : public CCommand {
public:
    explicit CCommandCopy(bool withStyle, CMsg* msg = &CMsg::Instance()) noexcept
        : CCommand(msg), m_withStyle(withStyle)
    {
    }

    // Raises my::CException 1000 when no row is selected, or the clipboard's errors.
    void Execute(bool run) override;

    bool WithStyle() const noexcept { return m_withStyle; }

    // The face name as stored; with style followed by ", " and the weight
    // name and, for an italic font, ", " and the italic word.
    static std::wstring TextOf(const LOGFONTW& font, bool withStyle);

private:
    const bool m_withStyle;
};

}  // namespace gvt

// The exit step of a run: writes the settings file unless saving was left
// disabled at start.
#pragma once

#include "base/Msg.h"
#include "commands/Command.h"

namespace gvt {

class CCommandQuit final : public CCommand {
public:
    explicit CCommandQuit(CMsg* msg = &CMsg::Instance()) noexcept : CCommand(msg) {}

    // Saves unless SkipSave; a save error is shown here and does not reach Run.
    void Execute(bool run) override;

    // Set until a completed start-up load clears it.
    bool SkipSave() const noexcept { return m_skipSave; }
    void SetSkipSave(bool skip) noexcept { m_skipSave = skip; }

private:
    bool m_skipSave = true;
};

}  // namespace gvt

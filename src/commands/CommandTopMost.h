// Toggles whether the main dialog stays above all other windows.
#pragma once

#include "base/Msg.h"
#include "commands/Command.h"

namespace gvt {

class CCommandTopMost final : public CCommand {
public:
    explicit CCommandTopMost(CMsg* msg = &CMsg::Instance()) noexcept : CCommand(msg) {}

    // Inverts TopMost of the settings record and re-stacks the dialog to match.
    void Execute(bool run) override;
};

}  // namespace gvt

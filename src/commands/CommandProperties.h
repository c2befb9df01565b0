// Shows the properties of the selected font in a modal dialog.
#pragma once

#include "base/Msg.h"
#include "commands/Command.h"

namespace gvt {

class CCommandProperties final : public CCommand {
public:
    explicit CCommandProperties(CMsg* msg = &CMsg::Instance()) noexcept : CCommand(msg) {}

    // Raises my::CException 1000 when no row is selected.
    void Execute(bool run) override;
};

}  // namespace gvt

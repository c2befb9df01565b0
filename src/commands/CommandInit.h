// The start-up step of a run: prepares the application information, loads
// the settings file and adds the built-in sample texts.
#pragma once

#include "base/Msg.h"
#include "commands/Command.h"

namespace gvt {

class CCommandInit final : public CCommand {
public:
    explicit CCommandInit(CMsg* msg = &CMsg::Instance()) noexcept : CCommand(msg) {}

    // Enables saving at exit (the table's Quit command) only when the load
    // went through and the user refused no question.
    void Execute(bool run) override;
};

}  // namespace gvt

// The six commands of a run, created once and shared with the dialog.
#pragma once

#include "commands/CommandCopy.h"
#include "commands/CommandInit.h"
#include "commands/CommandProperties.h"
#include "commands/CommandQuit.h"
#include "commands/CommandTopMost.h"

#include <boost/shared_ptr.hpp>

namespace gvt {

class CCommandTable {
public:
    // Registers the table, then creates the commands with the process-wide
    // message service. When a command cannot be created, the ones already
    // made are released, the registration is withdrawn and the error propagates.
    CCommandTable();
    ~CCommandTable();
    CCommandTable(const CCommandTable&) = delete;
    CCommandTable& operator=(const CCommandTable&) = delete;

    const boost::shared_ptr<CCommandInit>& Init() const noexcept { return m_init; }
    const boost::shared_ptr<CCommandQuit>& Quit() const noexcept { return m_quit; }
    // Face name only.
    const boost::shared_ptr<CCommandCopy>& Copy() const noexcept { return m_copy; }
    // Face name with weight and italic word.
    const boost::shared_ptr<CCommandCopy>& CopyWithStyle() const noexcept { return m_copyWithStyle; }
    const boost::shared_ptr<CCommandTopMost>& TopMost() const noexcept { return m_topMost; }
    const boost::shared_ptr<CCommandProperties>& Properties() const noexcept { return m_properties; }

    // The table of the run; null when none exists.
    static CCommandTable* Instance() noexcept;

private:
    boost::shared_ptr<CCommandInit> m_init;
    boost::shared_ptr<CCommandQuit> m_quit;
    boost::shared_ptr<CCommandCopy> m_copy;
    boost::shared_ptr<CCommandCopy> m_copyWithStyle;
    boost::shared_ptr<CCommandTopMost> m_topMost;
    boost::shared_ptr<CCommandProperties> m_properties;
};

}  // namespace gvt

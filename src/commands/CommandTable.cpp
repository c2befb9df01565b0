#include "commands/CommandTable.h"

#include <boost/make_shared.hpp>

namespace gvt {

namespace {
CCommandTable* g_table = nullptr;
}

CCommandTable::CCommandTable()
{
    g_table = this;
    try {
        CMsg* msg = &CMsg::Instance();
        m_init = boost::make_shared<CCommandInit>(msg);
        m_quit = boost::make_shared<CCommandQuit>(msg);
        m_copy = boost::make_shared<CCommandCopy>(false, msg);
        m_copyWithStyle = boost::make_shared<CCommandCopy>(true, msg);
        m_topMost = boost::make_shared<CCommandTopMost>(msg);
        m_properties = boost::make_shared<CCommandProperties>(msg);
    } catch (...) {
        g_table = nullptr;
        throw;
    }
}

CCommandTable::~CCommandTable()
{
    if (g_table == this)
        g_table = nullptr;
}

CCommandTable* CCommandTable::Instance() noexcept
{
    return g_table;
}

}  // namespace gvt

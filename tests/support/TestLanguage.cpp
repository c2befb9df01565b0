#include "support/TestLanguage.h"

#include <windows.h>

namespace gvt::test {

bool Japanese()
{
    return PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_JAPANESE;
}

}  // namespace gvt::test

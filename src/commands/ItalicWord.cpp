#include "commands/ItalicWord.h"

#include "commands/ResourceString.h"
#include "resources/resource.h"

namespace gvt {

const std::wstring& ItalicWord()
{
    static const std::wstring word = ResourceString(IDS_ITALIC);
    return word;
}

}  // namespace gvt

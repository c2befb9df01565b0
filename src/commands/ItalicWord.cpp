#include "commands/ItalicWord.h"

#include "commands/ResourceString.h"
#include "resources/resource.h"

namespace gvt {

namespace {
// Loaded once at start-up, like the weight names.
const std::wstring g_italicWord = ResourceString(IDS_ITALIC);
}  // namespace

const std::wstring& ItalicWord()
{
    return g_italicWord;
}

}  // namespace gvt

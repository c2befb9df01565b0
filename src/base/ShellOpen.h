// Hands a file, a folder or an address to the shell, as a double click in
// the Explorer would.
#pragma once

#include <string>

namespace gvt {

// Opens `file` with `parameters`; beeps and returns false when the shell
// cannot, which is all a click on a link or a button can say.
bool ShellOpen(const std::wstring& file, const std::wstring& parameters = std::wstring());

}  // namespace gvt

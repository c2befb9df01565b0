// Which string table the test process sees: Wine picks it from LC_ALL.
#pragma once

namespace gvt::test {

bool Japanese();

// The text of the table in force.
inline const wchar_t* Pick(const wchar_t* japanese, const wchar_t* english)
{
    return Japanese() ? japanese : english;
}

}  // namespace gvt::test

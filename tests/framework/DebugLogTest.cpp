// The line a barrier logs for what it caught.
#include "framework/DebugLog.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(DebugLog, TheLineNamesThePlaceTheTypeAndTheText)
{
    const std::wstring line =
        gvt::CaughtExceptionLine(L"subclass procedure", std::make_exception_ptr(std::runtime_error("gone \xC3\xA9")));
    EXPECT_EQ(0U, line.find(L"Glyvanter: subclass procedure caught ")) << line;
    EXPECT_NE(std::wstring::npos, line.find(L"runtime_error")) << line;
    EXPECT_NE(std::wstring::npos, line.find(L": gone \u00E9\n")) << "the text is read as UTF-8";

    EXPECT_EQ(L"Glyvanter: run caught an exception of unknown type\n",
              gvt::CaughtExceptionLine(L"run", std::make_exception_ptr(42)));
}

}  // namespace

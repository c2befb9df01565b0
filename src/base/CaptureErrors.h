// Runs risky work and turns whatever it throws into one error record, so the
// caller can show it, keep it, or offer it as a question.
#pragma once

#include "base/Exception.h"

#include <string>

namespace detail {
// Translates the exception in flight; control receives the control handle of
// a my::CCtrlException (null for every other kind) when not null.
void TranslateCurrentException(CSimpleErr& err, HWND* control) noexcept;
}  // namespace detail

// The plain variant: fills a CSimpleErr.
template <typename F>
void CaptureErrors(F&& work, CSimpleErr& err) noexcept
{
    err.Clear();
    try {
        work();
    } catch (...) {
        detail::TranslateCurrentException(err, nullptr);
    }
}

// The control variant: also keeps the control that caused an input error.
template <typename F>
void CaptureErrors(F&& work, my::CCtrlException& err) noexcept
{
    err.Clear();
    try {
        work();
    } catch (...) {
        detail::TranslateCurrentException(err, &err.Control);
    }
}

// Message id of a regular-expression error code; 0 for codes without one.
UINT RegexErrorMessageId(int code) noexcept;

// A narrow library text as UTF-16, one unit per byte, at most 255 units.
std::wstring WidenWhat(const char* what);

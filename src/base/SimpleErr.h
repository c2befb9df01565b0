// The error record every failure ends up in: which message, which status
// code, and the text the user sees.
#pragma once

#include <windows.h>

#include <string>

struct CSimpleErr {
    UINT MessageId = 0;    // string resource of the message; 0 = no error
    HRESULT Code = 0;      // status that caused it; 0 when none
    std::wstring Message;  // the formatted text

    bool HasError() const noexcept { return MessageId != 0; }
    void Clear()
    {
        MessageId = 0;
        Code = 0;
        Message.clear();
    }
};

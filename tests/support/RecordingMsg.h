// A message service that shows nothing: it records every box and answers
// from a script. While it lives it is the process-wide service.
#pragma once

#include "base/Msg.h"

#include <deque>
#include <string>
#include <vector>

namespace gvt::test {

class CRecordingMsg : public gvt::CMsg {
public:
    struct Box {
        std::wstring text;
        UINT type;
    };

    CRecordingMsg() { gvt::CMsg::SetInstance(this); }
    ~CRecordingMsg() override { gvt::CMsg::SetInstance(nullptr); }

    int Show(const std::wstring& text, UINT type) override
    {
        boxes.push_back({text, type});
        if (answers.empty())
            return IDCANCEL;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<Box> boxes;
    std::deque<int> answers;  // IDCANCEL once the script runs out
};

}  // namespace gvt::test

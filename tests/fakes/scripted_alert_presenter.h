#pragma once

#include "platform/alert_presenter.h"

#include <deque>
#include <vector>

namespace brindlemoor::fakes {

// Answers alerts with scripted button results (the first button when the script is empty) and
// keeps every alert shown.
class ScriptedAlertPresenter final : public AlertPresenter {
public:
    ModalResponse runModal(const Alert& alert) override
    {
        shown.push_back(alert);
        if (answers.empty())
            return kAlertFirstButtonReturn;
        ModalResponse answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<ModalResponse> answers;
    std::vector<Alert> shown;
};

} // namespace brindlemoor::fakes

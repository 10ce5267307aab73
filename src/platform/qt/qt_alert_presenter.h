#pragma once

#include "platform/alert_presenter.h"

namespace brindlemoor {

// Alerts as Qt message boxes, run modally on the main thread.
class QtAlertPresenter final : public AlertPresenter {
public:
    ModalResponse runModal(const Alert& alert) override;
};

} // namespace brindlemoor

#pragma once

#include <string>
#include <vector>

namespace brindlemoor {

enum class AlertStyle : int { warning = 0, informational = 1, critical = 2 };

// The answers of a modal alert: the first button added, the second, and so on.
using ModalResponse = int;
inline constexpr ModalResponse kAlertFirstButtonReturn = 1000;
inline constexpr ModalResponse kAlertSecondButtonReturn = 1001;

struct Alert {
    std::string messageText;
    std::string informativeText;
    AlertStyle style = AlertStyle::warning;
    std::vector<std::string> buttons;  // in the order they were added; the first is the default
};

// Shows alerts modally, on the main thread, and answers which button closed them.
class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;
    virtual ModalResponse runModal(const Alert& alert) = 0;
};

} // namespace brindlemoor

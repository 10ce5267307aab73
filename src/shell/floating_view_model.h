#pragma once

#include "platform/cancellable.h"
#include "platform/published.h"

#include <memory>

namespace brindlemoor {

class FloatingWindowProvider;

// The state of the floating window that arrives by notification: whether the file-based loop
// records an utterance, and a flag flipped on every dictation-target change.
class FloatingViewModel {
public:
    FloatingViewModel();
    FloatingViewModel(const FloatingViewModel&) = delete;
    FloatingViewModel& operator=(const FloatingViewModel&) = delete;

    Published<bool> isRecording{false};
    Published<bool> toggle{false};

    // Not owned; the provider outlives the model or clears itself first.
    FloatingWindowProvider* windowProvider() const { return windowProvider_; }
    void setWindowProvider(FloatingWindowProvider* provider) { windowProvider_ = provider; }

    bool isClosing() const { return isClosing_; }
    // The close button: leaves the floating level when floating, then hides the window.
    void closeWindow();

private:
    FloatingWindowProvider* windowProvider_ = nullptr;
    bool isClosing_ = false;
    Cancellable targetObservation_;
    Cancellable recordingObservation_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

} // namespace brindlemoor

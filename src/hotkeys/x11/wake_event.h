#pragma once

namespace brindlemoor {

// A file descriptor a sleeping poll() can be woken through from another thread.
class WakeEvent {
public:
    WakeEvent();
    ~WakeEvent();
    WakeEvent(const WakeEvent&) = delete;
    WakeEvent& operator=(const WakeEvent&) = delete;

    bool valid() const { return descriptor_ >= 0; }
    // Why the descriptor could not be made (an errno value); 0 when it was.
    int creationError() const { return creationError_; }
    int descriptor() const { return descriptor_; }
    void signal();
    // Clears the signals received so far.
    void drain();

private:
    int descriptor_;
    int creationError_ = 0;
};

} // namespace brindlemoor

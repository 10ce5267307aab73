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
    int descriptor() const { return descriptor_; }
    void signal();
    // Clears the signals received so far.
    void drain();

private:
    int descriptor_;
};

} // namespace brindlemoor

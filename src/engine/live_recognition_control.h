#pragma once

namespace brindlemoor {

// What the audio capture manager drives: the live recogniser's loop of passes.
class LiveRecognitionControl {
public:
    virtual ~LiveRecognitionControl() = default;
    // Main thread only.
    virtual void start() = 0;
    virtual void stop() = 0;
};

} // namespace brindlemoor

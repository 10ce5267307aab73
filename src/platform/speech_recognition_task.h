#pragma once

namespace brindlemoor {

// A running recognition of one request.
class SpeechRecognitionTask {
public:
    virtual ~SpeechRecognitionTask() = default;
    // Stop taking audio and deliver the final result for what was heard.
    virtual void finish() = 0;
    // Stop at once; no result follows, at most one last callback.
    virtual void cancel() = 0;
};

} // namespace brindlemoor

#pragma once

#include "platform/audio_buffer.h"

#include <memory>
#include <mutex>
#include <vector>

namespace brindlemoor {

// Audio for a live recognition task, appended buffer by buffer from any thread (usually an
// audio tap) until `endAudio`. The task that recognises it attaches itself as the consumer;
// buffers appended before that wait for it.
class AudioBufferRecognitionRequest {
public:
    class Consumer {
    public:
        virtual ~Consumer() = default;
        // Called with the request's lock held: keep it short and never call back into the request.
        virtual void receive(const AudioPcmBuffer& buffer) = 0;
        virtual void endOfAudio() = 0;
    };

    // Set before a task is made for the request.
    bool shouldReportPartialResults = false;
    bool addsPunctuation = false;

    void append(const AudioPcmBuffer& buffer)
    {
        std::lock_guard lock(mutex_);
        if (ended_)
            return;
        if (auto consumer = consumer_.lock())
            consumer->receive(buffer);
        else if (!attached_)
            pending_.push_back(buffer);
    }

    // No audio follows; the task settles on what it heard. Later appends are ignored.
    void endAudio()
    {
        std::lock_guard lock(mutex_);
        if (ended_)
            return;
        ended_ = true;
        if (auto consumer = consumer_.lock())
            consumer->endOfAudio();
    }

    bool isAudioEnded() const
    {
        std::lock_guard lock(mutex_);
        return ended_;
    }

    void attach(const std::shared_ptr<Consumer>& consumer)
    {
        std::lock_guard lock(mutex_);
        consumer_ = consumer;
        attached_ = true;
        for (const auto& buffer : pending_)
            consumer->receive(buffer);
        pending_.clear();
        if (ended_)
            consumer->endOfAudio();
    }

private:
    mutable std::mutex mutex_;
    std::weak_ptr<Consumer> consumer_;
    bool attached_ = false;
    bool ended_ = false;
    std::vector<AudioPcmBuffer> pending_;
};

} // namespace brindlemoor

#pragma once

#include "platform/linux/pocketsphinx/pocketsphinx_decoder.h"

#include <memory>
#include <mutex>
#include <vector>

namespace brindlemoor {

// Loaded decoders of one model, kept for the next task: loading a model takes far longer than a
// recognition pass may wait.
class DecoderPool {
public:
    explicit DecoderPool(PocketSphinxModel model) : model_(std::move(model)) {}

    const PocketSphinxModel& model() const { return model_; }

    // An idle decoder, or a newly loaded one; nullptr (and `error`) when the model does not load.
    std::unique_ptr<PocketSphinxDecoder> acquire(PlatformError& error);
    void release(std::unique_ptr<PocketSphinxDecoder> decoder);

private:
    static constexpr std::size_t kMaxIdle = 2;

    PocketSphinxModel model_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<PocketSphinxDecoder>> idle_;
};

} // namespace brindlemoor

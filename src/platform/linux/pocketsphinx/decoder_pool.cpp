#include "platform/linux/pocketsphinx/decoder_pool.h"

namespace brindlemoor {

std::unique_ptr<PocketSphinxDecoder> DecoderPool::acquire(PlatformError& error)
{
    {
        std::lock_guard lock(mutex_);
        if (!idle_.empty()) {
            auto decoder = std::move(idle_.back());
            idle_.pop_back();
            return decoder;
        }
    }
    return PocketSphinxDecoder::load(model_, error);
}

void DecoderPool::release(std::unique_ptr<PocketSphinxDecoder> decoder)
{
    if (!decoder)
        return;
    decoder->abandonUtterance();
    std::lock_guard lock(mutex_);
    if (idle_.size() < kMaxIdle)
        idle_.push_back(std::move(decoder));
}

} // namespace brindlemoor

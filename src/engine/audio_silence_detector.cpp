#include "engine/audio_silence_detector.h"

#include <algorithm>
#include <cmath>
#include <unicode/brkiter.h>
#include <unicode/unistr.h>

namespace brindlemoor {
namespace {

constexpr double minimumSecondsSinceResult = 0.5;

std::size_t characterCount(const std::string& text)
{
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> characters(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status))
        return static_cast<std::size_t>(unicode.countChar32());
    characters->setText(unicode);
    std::size_t count = 0;
    for (int32_t at = characters->next(); at != icu::BreakIterator::DONE; at = characters->next())
        ++count;
    return count;
}

// Pieces between spaces and tabs, empty ones included.
std::size_t pieceCount(const std::string& text)
{
    return 1 + static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; }));
}

} // namespace

AudioSilenceDetector::AudioSilenceDetector(std::shared_ptr<TranscriptBufferActor> transcriptBuffer, Logger logger,
                                           Clock& clock)
    : transcriptBuffer_(std::move(transcriptBuffer)), logger_(std::move(logger)), clock_(clock)
{
}

bool AudioSilenceDetector::isSilent(const AudioPcmBuffer& buffer, float threshold)
{
    if (!buffer.hasFloatChannelData())
        return true;
    for (std::uint32_t channel = 0; channel < buffer.channelCount(); ++channel) {
        for (std::uint32_t frame = 0; frame < buffer.frameLength(); ++frame) {
            if (std::fabs(buffer.sample(channel, frame)) > threshold)
                return false;
        }
    }
    return true;
}

bool AudioSilenceDetector::shouldEndAudio(const AudioPcmBuffer& buffer, float threshold)
{
    std::lock_guard lock(mutex_);
    bool silent = isSilent(buffer, threshold);
    auto startTime = transcriptBuffer_->run([](TranscriptBuffer& b) { return b.startTime; });
    double elapsed = startTime ? secondsBetween(*startTime, clock_.now()) : 0;
    bool ready = startTime.has_value() && elapsed >= minimumSecondsSinceResult;
    if (!silent || !ready)
        return false;
    std::string current = transcriptBuffer_->run([](TranscriptBuffer& b) { return b.current; });
    if (pieceCount(current) < 2 && characterCount(current) < 2)
        return false;
    logger_.info("shouldEndAudio: timeElapsed = %f, endAudio", elapsed);
    return true;
}

} // namespace brindlemoor

#pragma once

#include "platform/linux/pocketsphinx/pocketsphinx_model.h"
#include "platform/platform_error.h"
#include "platform/speech_recognition_result.h"

#include <cstddef>
#include <cstdint>
#include <memory>

struct ps_decoder_s;

namespace brindlemoor {

// One PocketSphinx decoder with its model loaded; decodes one utterance at a time, 16 kHz mono.
class PocketSphinxDecoder {
public:
    // nullptr (and the reason in `error`) when the model cannot be loaded.
    static std::unique_ptr<PocketSphinxDecoder> load(const PocketSphinxModel& model, PlatformError& error);
    ~PocketSphinxDecoder();

    PocketSphinxDecoder(const PocketSphinxDecoder&) = delete;
    PocketSphinxDecoder& operator=(const PocketSphinxDecoder&) = delete;

    static constexpr double kSampleRate = 16000;

    void startUtterance();
    void process(const std::int16_t* samples, std::size_t count);
    // What was heard so far; segment confidences are 0.
    Transcription hypothesis();
    // Ends the utterance and answers what was heard, each segment with its posterior
    // probability in 0...1.
    Transcription endUtterance();
    // Ends the utterance without asking for the result.
    void abandonUtterance();

private:
    explicit PocketSphinxDecoder(ps_decoder_s* decoder) : decoder_(decoder) {}
    Transcription transcription(bool withConfidence);

    ps_decoder_s* decoder_;
    bool inUtterance_ = false;
};

} // namespace brindlemoor

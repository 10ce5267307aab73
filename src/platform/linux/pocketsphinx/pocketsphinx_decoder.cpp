#include "platform/linux/pocketsphinx/pocketsphinx_decoder.h"

#include "platform/speech_recognition_service.h"

#include <pocketsphinx.h>
#include <sphinxbase/logmath.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>

namespace brindlemoor {

namespace {

constexpr double kFramesPerSecond = 100;

// "read(2)" is the dictionary's second pronunciation of "read".
std::string baseWord(const char* word)
{
    std::string text(word);
    if (!text.empty() && text.back() == ')') {
        auto open = text.rfind('(');
        if (open != std::string::npos && open > 0)
            text.erase(open);
    }
    return text;
}

bool isFiller(const std::string& word)
{
    return word.empty() || word.front() == '<' || word.front() == '[' || word.front() == '+';
}

std::string capitalisedFirstLetter(std::string text)
{
    if (text.empty())
        return text;
    int32_t offset = 0;
    UChar32 first;
    U8_NEXT(reinterpret_cast<const uint8_t*>(text.data()), offset, static_cast<int32_t>(text.size()), first);
    if (first < 0)
        return text;
    UChar32 upper = u_toupper(first);
    if (upper == first)
        return text;
    uint8_t encoded[U8_MAX_LENGTH];
    int32_t length = 0;
    UBool error = false;
    U8_APPEND(encoded, length, U8_MAX_LENGTH, upper, error);
    if (error)
        return text;
    return std::string(reinterpret_cast<const char*>(encoded), length) + text.substr(offset);
}

} // namespace

std::unique_ptr<PocketSphinxDecoder> PocketSphinxDecoder::load(const PocketSphinxModel& model, PlatformError& error)
{
    cmd_ln_t* config = cmd_ln_init(nullptr, ps_args(), TRUE,
                                   "-hmm", model.acousticModel.c_str(),
                                   "-lm", model.languageModel.c_str(),
                                   "-dict", model.dictionary.c_str(),
                                   "-logfn", "/dev/null",
                                   nullptr);
    ps_decoder_t* decoder = config ? ps_init(config) : nullptr;
    if (config)
        cmd_ln_free_r(config);
    if (!decoder) {
        error = PlatformError{kSpeechRecognitionErrorDomain, static_cast<int>(SpeechRecognitionErrorCode::modelUnavailable),
                              "The speech model in " + model.directory.string() + " could not be loaded."};
        return nullptr;
    }
    return std::unique_ptr<PocketSphinxDecoder>(new PocketSphinxDecoder(decoder));
}

PocketSphinxDecoder::~PocketSphinxDecoder()
{
    abandonUtterance();
    ps_free(decoder_);
}

void PocketSphinxDecoder::startUtterance()
{
    abandonUtterance();
    // Segment times count from the start of this utterance's audio.
    ps_start_stream(decoder_);
    ps_start_utt(decoder_);
    inUtterance_ = true;
}

void PocketSphinxDecoder::process(const std::int16_t* samples, std::size_t count)
{
    if (inUtterance_ && count > 0)
        ps_process_raw(decoder_, samples, count, FALSE, FALSE);
}

Transcription PocketSphinxDecoder::hypothesis()
{
    return transcription(false);
}

Transcription PocketSphinxDecoder::endUtterance()
{
    if (!inUtterance_)
        return {};
    ps_end_utt(decoder_);
    inUtterance_ = false;
    // Computes the lattice posteriors the segments report.
    ps_get_prob(decoder_);
    return transcription(true);
}

void PocketSphinxDecoder::abandonUtterance()
{
    if (inUtterance_) {
        ps_end_utt(decoder_);
        inUtterance_ = false;
    }
}

Transcription PocketSphinxDecoder::transcription(bool withConfidence)
{
    Transcription result;
    logmath_t* logmath = ps_get_logmath(decoder_);
    std::string text;
    for (ps_seg_t* segment = ps_seg_iter(decoder_); segment; segment = ps_seg_next(segment)) {
        std::string word = baseWord(ps_seg_word(segment));
        if (isFiller(word))
            continue;
        int start = 0, end = 0;
        ps_seg_frames(segment, &start, &end);
        int32 acoustic = 0, language = 0, backoff = 0;
        int32 posterior = ps_seg_prob(segment, &acoustic, &language, &backoff);
        TranscriptionSegment entry;
        entry.timestamp = start / kFramesPerSecond;
        entry.duration = std::max(0, end - start + 1) / kFramesPerSecond;
        entry.confidence =
            withConfidence ? std::clamp(static_cast<float>(logmath_exp(logmath, posterior)), 0.0f, 1.0f) : 0.0f;
        if (!text.empty())
            text += ' ';
        text += word;
        entry.substring = word;
        result.segments.push_back(std::move(entry));
    }
    result.formattedString = capitalisedFirstLetter(text);
    if (!result.segments.empty())
        result.segments.front().substring = capitalisedFirstLetter(result.segments.front().substring);
    return result;
}

} // namespace brindlemoor

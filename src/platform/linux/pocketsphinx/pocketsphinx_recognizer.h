#pragma once

#include "platform/linux/pocketsphinx/decoder_pool.h"
#include "platform/speech_recognition_service.h"

namespace brindlemoor {

class RecognitionWorkers;

// The recogniser of one locale over the decoders of its model.
class PocketSphinxRecognizer final : public LocaleRecognizer {
public:
    PocketSphinxRecognizer(std::string localeIdentifier, std::shared_ptr<DecoderPool> pool,
                           std::shared_ptr<RecognitionWorkers> workers);

    const std::string& localeIdentifier() const override { return localeIdentifier_; }
    bool isAvailable() const override { return true; }
    void setDefaultTaskHint(SpeechRecognitionTaskHint hint) override { taskHint_ = hint; }

    std::shared_ptr<SpeechRecognitionTask> recognitionTask(std::shared_ptr<AudioBufferRecognitionRequest> request,
                                                           RecognitionResultHandler handler) override;
    std::shared_ptr<SpeechRecognitionTask> recognitionTask(std::shared_ptr<FileRecognitionRequest> request,
                                                           RecognitionResultHandler handler) override;

private:
    std::string localeIdentifier_;
    std::shared_ptr<DecoderPool> pool_;
    std::shared_ptr<RecognitionWorkers> workers_;
    SpeechRecognitionTaskHint taskHint_ = SpeechRecognitionTaskHint::unspecified;
};

} // namespace brindlemoor

#pragma once

#include "ai_service/client/openai_protocol.h"
#include "engine/transcribe_protocol.h"

#include <functional>
#include <memory>
#include <string>

namespace brindlemoor {

// The API token of the remote transcriber. Nothing sets it; the service refuses the empty
// token with its own message, which the transcriber passes on.
inline constexpr const char* kRemoteWhisperAPIToken = "";

// Failure domains of the remote transcriber's answers: the recording could not be read, or
// the client or the service failed (the code then tells which kind, the description is the
// failure's own).
inline constexpr const char* kRemoteWhisperFileErrorDomain = "RemoteWhisper.file";
inline constexpr const char* kRemoteWhisperServiceErrorDomain = "RemoteWhisper.service";

// Sends the recording to the remote service's transcription with the model "whisper-1" and
// answers the service's text. A new client for every call.
class RemoteWhisper final : public TranscribeProtocol {
public:
    enum class ServiceErrorCode {
        service = 1,   // the service's error envelope
        transport = 2, // no reply: network, name service, TLS, time-out
        emptyReply = 3,
        decoding = 4,  // a reply that is neither the text nor the service's error
        other = 5,
    };

    using ClientFactory = std::function<std::unique_ptr<OpenAIProtocol>()>;
    using LanguageCodeProvider = std::function<std::string()>;

    // A client from kRemoteWhisperAPIToken alone (the public host, 60 seconds), and the
    // language of currentLanguageCode().
    RemoteWhisper();
    RemoteWhisper(ClientFactory makeClient, LanguageCodeProvider languageCode);

    TranscriptionResult transcribe(const std::filesystem::path& url) override;

private:
    ClientFactory makeClient_;
    LanguageCodeProvider languageCode_;
};

} // namespace brindlemoor

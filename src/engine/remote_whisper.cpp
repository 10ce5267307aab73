#include "engine/remote_whisper.h"

#include "ai_service/client/api_error_response.h"
#include "ai_service/client/openai.h"
#include "ai_service/client/openai_error.h"
#include "ai_service/client/url_error.h"
#include "ai_service/models/model.h"
#include "engine/current_language_code.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace brindlemoor {

namespace {

std::variant<Bytes, PlatformError> readWholeFile(const std::filesystem::path& url)
{
    std::ifstream file(url, std::ios::binary);
    if (file) {
        Bytes bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (!file.bad())
            return bytes;
    }
    const int code = errno != 0 ? errno : EIO;
    return PlatformError{kRemoteWhisperFileErrorDomain, code,
                         "The recording \"" + url.string() + "\" could not be read: " + std::strerror(code)};
}

PlatformError serviceError(const std::exception_ptr& error)
{
    using Code = RemoteWhisper::ServiceErrorCode;
    Code code = Code::other;
    std::string description;
    try {
        std::rethrow_exception(error);
    } catch (const APIErrorResponse& failure) {
        code = Code::service;
        description = failure.what();
    } catch (const URLError& failure) {
        code = Code::transport;
        description = failure.what();
    } catch (const OpenAIError& failure) {
        code = Code::emptyReply;
        description = failure.what();
    } catch (const DecodingError& failure) {
        code = Code::decoding;
        description = failure.what();
    } catch (const std::exception& failure) {
        description = failure.what();
    } catch (...) {
        description = "An unknown error occurred.";
    }
    return PlatformError{kRemoteWhisperServiceErrorDomain, static_cast<int>(code), description};
}

} // namespace

RemoteWhisper::RemoteWhisper()
    : RemoteWhisper([] { return std::make_unique<OpenAI>(std::string(kRemoteWhisperAPIToken)); }, currentLanguageCode)
{
}

RemoteWhisper::RemoteWhisper(ClientFactory makeClient, LanguageCodeProvider languageCode)
    : makeClient_(std::move(makeClient)), languageCode_(std::move(languageCode))
{
}

TranscriptionResult RemoteWhisper::transcribe(const std::filesystem::path& url)
{
    errno = 0;
    auto file = readWholeFile(url);
    if (auto* failure = std::get_if<PlatformError>(&file))
        return *failure;
    const std::string languageCode = languageCode_();
    const std::string prompt = languageCode == "zh" ? "这是简体中文" : "";
    const AudioTranscriptionQuery query(std::move(std::get<Bytes>(file)), url.filename().string(), Model::whisper1,
                                        prompt, std::nullopt, languageCode, std::nullopt);
    std::unique_ptr<OpenAIProtocol> client = makeClient_();
    try {
        return client->audioTranscriptions(query).get().text;
    } catch (...) {
        return serviceError(std::current_exception());
    }
}

} // namespace brindlemoor

#pragma once

#include "ai_service/client/curl_session.h"
#include "ai_service/client/reply_handler.h"
#include "ai_service/client/streaming_error.h"
#include "ai_service/client/url_session_data_delegate.h"
#include "ai_service/client/utf8_text.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace brindlemoor {

// One streamed request: its reply comes as server-sent events, "data: " and one JSON record
// each, ended by "data: [DONE]". Each arrival is cut at "data:" into pieces; each piece is
// read as ResultType or as the service's error envelope. A last piece that does not read yet
// is kept and completed by the next arrival, and so is a character cut between arrivals.
// All calls come one at a time on the session's own thread.
template <typename ResultType>
class StreamingSession final : public URLSessionDataDelegate,
                               public std::enable_shared_from_this<StreamingSession<ResultType>> {
public:
    using StreamingError = brindlemoor::StreamingError;

    explicit StreamingSession(URLRequest urlRequest) : urlRequest(std::move(urlRequest)) {}

    std::function<void(StreamingSession&, const ResultType&)> onReceiveContent;
    std::function<void(StreamingSession&, std::exception_ptr)> onProcessingError;
    // The error is null when the request completed.
    std::function<void(StreamingSession&, std::exception_ptr)> onComplete;

    const std::string streamingCompletionMarker = "[DONE]";
    const URLRequest urlRequest;

    // Starts the request on a transport of this session's own. The transport keeps the
    // session until the request has completed.
    void perform()
    {
        if (!urlSession_)
            urlSession_ = std::make_shared<CurlSession>();
        urlSession_->dataTask(urlRequest, this->shared_from_this())->resume();
    }

    void didReceiveData(const std::string& data) override
    {
        std::string text = std::exchange(unfinishedCharacter_, std::string()) + data;
        const auto complete = completeUtf8PrefixLength(text);
        if (!complete) {
            reportError(std::make_exception_ptr(StreamingError(StreamingError::Code::unknownContent)));
            return;
        }
        unfinishedCharacter_ = text.substr(*complete);
        text.resize(*complete);
        processChunk(text);
    }

    // What is still held when the stream ends is reported rather than silently dropped: an
    // unfinished character as unknownContent, a piece that never read as its decoding error.
    void didCompleteWithError(std::exception_ptr error) override
    {
        if (!std::exchange(unfinishedCharacter_, std::string()).empty())
            reportError(std::make_exception_ptr(StreamingError(StreamingError::Code::unknownContent)));
        const std::string carried = std::exchange(previousChunkBuffer_, std::string());
        if (!carried.empty())
            handlePiece(trimmingWhitespaceAndNewlines(std::string_view(carried).substr(kDataPrefix.size())), false);
        if (onComplete)
            onComplete(*this, error);
    }

    // The piece kept for the next arrival, with its "data: " in front; empty when none.
    const std::string& previousChunkBuffer() const { return previousChunkBuffer_; }

private:
    static constexpr std::string_view kDataPrefix = "data: ";
    static constexpr std::string_view kEventField = "data:";

    void processChunk(std::string_view text)
    {
        if (text.empty())
            return;
        const std::string joined = previousChunkBuffer_ + std::string(text);
        const std::vector<std::string_view> pieces = splitIntoPieces(trimmingWhitespaceAndNewlines(joined));
        previousChunkBuffer_.clear();
        if (pieces.empty() || pieces.front() == streamingCompletionMarker)
            return;
        for (std::size_t index = 0; index < pieces.size(); ++index)
            handlePiece(pieces[index], index + 1 == pieces.size());
    }

    static std::vector<std::string_view> splitIntoPieces(std::string_view text)
    {
        std::vector<std::string_view> pieces;
        std::size_t start = 0;
        for (;;) {
            const std::size_t found = text.find(kEventField, start);
            const std::size_t length = found == std::string_view::npos ? std::string_view::npos : found - start;
            const auto piece = trimmingWhitespaceAndNewlines(text.substr(start, length));
            if (!piece.empty())
                pieces.push_back(piece);
            if (found == std::string_view::npos)
                return pieces;
            start = found + kEventField.size();
        }
    }

    void handlePiece(std::string_view piece, bool isLast)
    {
        if (piece.empty() || piece == streamingCompletionMarker)
            return;
        std::optional<Json> json;
        std::optional<ResultType> record;
        std::exception_ptr recordError;
        try {
            json = parseJsonText(piece);
            record.emplace(decodeJson<ResultType>(*json));
        } catch (...) {
            recordError = std::current_exception();
        }
        if (record) {
            if (onReceiveContent)
                onReceiveContent(*this, *record);
        } else if (auto envelope = ReplyHandler::errorEnvelope(json)) {
            reportError(std::make_exception_ptr(std::move(*envelope)));
        } else if (isLast) {
            previousChunkBuffer_ = std::string(kDataPrefix) + std::string(piece);
        } else {
            reportError(recordError);
        }
    }

    void reportError(std::exception_ptr error)
    {
        if (onProcessingError)
            onProcessingError(*this, std::move(error));
    }

    std::shared_ptr<CurlSession> urlSession_;
    std::string previousChunkBuffer_;
    std::string unfinishedCharacter_;
};

} // namespace brindlemoor

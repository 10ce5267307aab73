#include "ai_service/client/streaming_session.h"
#include "ai_service/models/audio_transcription_result.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace brindlemoor {
namespace {

using Session = StreamingSession<AudioTranscriptionResult>;

// Feeds arrivals straight to the delegate entry points and records every callback in order.
class StreamingSessionTest : public ::testing::Test {
protected:
    StreamingSessionTest()
    {
        session->onReceiveContent = [this](Session&, const AudioTranscriptionResult& record) {
            events.push_back(record.text);
        };
        session->onProcessingError = [this](Session&, std::exception_ptr error) { events.push_back(error); };
        session->onComplete = [this](Session&, std::exception_ptr error) {
            completions.push_back(error);
        };
    }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const auto& event : events) {
            if (auto text = std::get_if<std::string>(&event))
                result.push_back(*text);
        }
        return result;
    }

    template <typename E>
    std::optional<E> errorAt(std::size_t index) const
    {
        try {
            std::rethrow_exception(std::get<std::exception_ptr>(events.at(index)));
        } catch (const E& error) {
            return error;
        } catch (...) {
            return std::nullopt;
        }
    }

    std::shared_ptr<Session> session = std::make_shared<Session>(URLRequest{});
    std::vector<std::variant<std::string, std::exception_ptr>> events;
    std::vector<std::exception_ptr> completions;
};

TEST_F(StreamingSessionTest, DeliversWholeEventsInOrderAndSkipsTheMarkerAfterThem)
{
    session->didReceiveData("data: {\"text\":\"one\"}\n\ndata: {\"text\":\"two\"}\n\ndata: [DONE]\n\n");

    EXPECT_EQ(texts(), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(events.size(), 2u);
    EXPECT_EQ(session->previousChunkBuffer(), "");
}

TEST_F(StreamingSessionTest, CompletesARecordCutBetweenArrivals)
{
    session->didReceiveData("data: {\"text\":\"sp");
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(session->previousChunkBuffer(), "data: {\"text\":\"sp");

    session->didReceiveData("lit\"}\n\ndata: [DONE]\n\n");

    EXPECT_EQ(texts(), (std::vector<std::string>{"split"}));
    EXPECT_EQ(events.size(), 1u);
}

TEST_F(StreamingSessionTest, AnArrivalThatStartsWithTheMarkerDeliversNothing)
{
    session->didReceiveData("data: [DONE]\n\ndata: {\"text\":\"late\"}\n\n");

    EXPECT_TRUE(events.empty());
}

TEST_F(StreamingSessionTest, UndecodablePiecesFailWhenNotLastAndWaitWhenLast)
{
    session->didReceiveData("data: not json\n\ndata: {\"text\":\"ok\"}\n\ndata: {\"other\":1}");

    ASSERT_EQ(events.size(), 2u);
    ASSERT_TRUE(errorAt<DecodingError>(0));
    EXPECT_EQ(std::get<std::string>(events[1]), "ok");
    EXPECT_EQ(session->previousChunkBuffer(), "data: {\"other\":1}");
}

// Only "data:" is understood; other event-stream lines stay in the text of a piece.
TEST_F(StreamingSessionTest, OtherEventStreamLinesMakeTheirPiecesFail)
{
    session->didReceiveData(": keep-alive\ndata: {\"text\":\"a\"}\n\nevent: ping\ndata: {\"text\":\"b\"}\n\n");

    ASSERT_EQ(events.size(), 3u);
    EXPECT_TRUE(errorAt<DecodingError>(0));
    EXPECT_TRUE(errorAt<DecodingError>(1));
    EXPECT_EQ(std::get<std::string>(events[2]), "b");
}

TEST_F(StreamingSessionTest, TheServicesErrorEnvelopeIsReportedAndTheStreamGoesOn)
{
    session->didReceiveData("{\"error\":{\"message\":\"Slow down\",\"type\":\"rate_limit\"}}");
    session->didReceiveData("data: {\"text\":\"after\"}\n\n");

    ASSERT_EQ(events.size(), 2u);
    const auto envelope = errorAt<APIErrorResponse>(0);
    ASSERT_TRUE(envelope);
    EXPECT_STREQ(envelope->what(), "Slow down");
    EXPECT_EQ(std::get<std::string>(events[1]), "after");
}

TEST_F(StreamingSessionTest, BytesThatAreNotTextFailAndKeepTheCarriedPiece)
{
    session->didReceiveData("data: {\"text\":\"ha");
    session->didReceiveData(std::string("\xFF\xFE", 2));

    ASSERT_EQ(events.size(), 1u);
    const auto error = errorAt<StreamingError>(0);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), StreamingError::Code::unknownContent);
    EXPECT_EQ(session->previousChunkBuffer(), "data: {\"text\":\"ha");

    session->didReceiveData("lf\"}\n\n");
    EXPECT_EQ(texts(), (std::vector<std::string>{"half"}));
}

// A character cut by the transport must not cost the text of both arrivals.
TEST_F(StreamingSessionTest, ACharacterCutBetweenArrivalsIsJoined)
{
    const std::string event = "data: {\"text\":\"中文\"}\n\n";
    const std::size_t cut = event.find("中") + 1;
    session->didReceiveData(event.substr(0, cut));
    session->didReceiveData(event.substr(cut));

    EXPECT_EQ(texts(), (std::vector<std::string>{"中文"}));
    EXPECT_EQ(events.size(), 1u);
}

// A stream cut off inside a record ends with that record's failure, not in silence.
TEST_F(StreamingSessionTest, AStreamEndingWhileAPieceIsCarriedReportsItThenCompletes)
{
    session->didReceiveData("data: {\"text\":\"one\"}\n\ndata: {\"text\":\"tru");
    session->didCompleteWithError(nullptr);

    ASSERT_EQ(events.size(), 2u);
    EXPECT_TRUE(errorAt<DecodingError>(1));
    ASSERT_EQ(completions.size(), 1u);
    EXPECT_EQ(completions[0], nullptr);
    EXPECT_EQ(session->previousChunkBuffer(), "");
}

TEST_F(StreamingSessionTest, AnOrdinaryEndCompletesOnceWithoutExtraCallbacks)
{
    session->didReceiveData("data: {\"text\":\"one\"}\n\ndata: [DONE]\n\n");
    session->didCompleteWithError(nullptr);

    EXPECT_EQ(events.size(), 1u);
    EXPECT_EQ(completions.size(), 1u);
}

} // namespace
} // namespace brindlemoor

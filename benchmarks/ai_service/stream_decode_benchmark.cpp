// How fast streamed replies are cut into events and decoded: a chat-like stream of small
// records, fed in arrivals of different sizes (the transport cuts wherever it likes).

#include "ai_service/client/streaming_session.h"
#include "ai_service/models/completions_result.h"

#include <chrono>
#include <cstdio>
#include <string>

using namespace brindlemoor;

namespace {

std::string makeStream(int events)
{
    std::string stream;
    for (int i = 0; i < events; ++i) {
        stream += R"(data: {"id":"cmpl-1","object":"text_completion","created":1700000000,"model":"davinci",)"
                  R"("choices":[{"text":" word)" + std::to_string(i) + R"( – ünïcode","index":0,"finish_reason":null}]})"
                  "\n\n";
    }
    return stream + "data: [DONE]\n\n";
}

void run(const std::string& stream, std::size_t arrivalSize, int events)
{
    auto session = std::make_shared<StreamingSession<CompletionsResult>>(URLRequest{});
    int received = 0;
    int failures = 0;
    session->onReceiveContent = [&](auto&, const CompletionsResult&) { ++received; };
    session->onProcessingError = [&](auto&, std::exception_ptr) { ++failures; };
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t offset = 0; offset < stream.size(); offset += arrivalSize)
        session->didReceiveData(stream.substr(offset, arrivalSize));
    session->didCompleteWithError(nullptr);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("arrivals of %6zu bytes: %7d events in %7.3f s = %9.0f events/s, %6.1f MB/s (%d decoded, %d failed)\n",
                arrivalSize, events, seconds, events / seconds, stream.size() / seconds / 1e6, received, failures);
}

} // namespace

int main()
{
    const int events = 20000;
    const std::string stream = makeStream(events);
    for (std::size_t arrivalSize : {64u, 512u, 4096u, 65536u})
        run(stream, arrivalSize, events);
    return 0;
}

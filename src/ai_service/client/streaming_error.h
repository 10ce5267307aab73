#pragma once

#include <exception>

namespace brindlemoor {

// A piece of a streamed reply that is not text.
class StreamingError : public std::exception {
public:
    enum class Code {
        // Bytes that are not UTF-8 text, or a piece that cannot be turned into bytes.
        unknownContent,
        // Declared for callers that match on it; the stream never produces it.
        emptyContent,
    };

    explicit StreamingError(Code code) : code_(code) {}

    Code code() const { return code_; }
    const char* what() const noexcept override
    {
        return code_ == Code::unknownContent ? "The service streamed something that is not text."
                                             : "The service streamed an empty piece.";
    }

    friend bool operator==(const StreamingError&, const StreamingError&) = default;

private:
    Code code_;
};

} // namespace brindlemoor

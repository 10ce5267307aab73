#pragma once

#include <exception>

namespace brindlemoor {

// A failure of the client itself, not of the transport or of the service.
class OpenAIError : public std::exception {
public:
    enum class Code {
        // The transport reported neither an error nor any reply bytes.
        emptyData,
    };

    static OpenAIError emptyData() { return OpenAIError(Code::emptyData); }

    explicit OpenAIError(Code code) : code_(code) {}

    Code code() const { return code_; }
    const char* what() const noexcept override { return "The service sent no reply."; }

    friend bool operator==(const OpenAIError&, const OpenAIError&) = default;

private:
    Code code_;
};

} // namespace brindlemoor

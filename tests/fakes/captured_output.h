#pragma once

#include "platform/standard_output.h"

#include <mutex>
#include <string>
#include <vector>

namespace brindlemoor::fakes {

// Collects what the application prints while it lives.
class CapturedOutput final : public StandardOutput::Sink {
public:
    CapturedOutput();
    ~CapturedOutput() override;

    void write(std::string_view text) override;

    std::string text() const;
    // The complete lines printed so far.
    std::vector<std::string> lines() const;

private:
    mutable std::mutex mutex_;
    std::string text_;
};

} // namespace brindlemoor::fakes

#pragma once

#include "platform/pasteboard.h"

#include <vector>

namespace brindlemoor::fakes {

// A clipboard in memory that keeps a log of what was done to it. Installs itself while it
// lives.
class FakePasteboard final : public Pasteboard {
public:
    explicit FakePasteboard(std::optional<std::string> initial = std::nullopt) : contents_(std::move(initial))
    {
        Pasteboard::install(this);
    }
    ~FakePasteboard() override { Pasteboard::install(nullptr); }

    void clearContents() override
    {
        contents_.reset();
        log_.push_back("clear");
    }
    void setString(const std::string& text) override
    {
        contents_ = text;
        log_.push_back("set " + text);
    }
    std::optional<std::string> string() const override { return contents_; }

    const std::vector<std::string>& log() const { return log_; }

private:
    std::optional<std::string> contents_;
    std::vector<std::string> log_;
};

} // namespace brindlemoor::fakes

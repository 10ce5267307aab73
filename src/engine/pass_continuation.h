#pragma once

#include "platform/platform_error.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace brindlemoor {

// The one-shot resumption of a waiting recognition pass: resumed with nothing (the pass ended
// normally) or with an error. A second resumption is ignored, so a late callback cannot end a
// later pass.
class PassContinuation {
public:
    using Resume = std::function<void(std::optional<PlatformError>)>;

    explicit PassContinuation(Resume resume) : resume_(std::move(resume)) {}

    // Answers whether this call resumed the pass.
    bool resume(std::optional<PlatformError> error = std::nullopt)
    {
        Resume resume;
        {
            std::lock_guard lock(mutex_);
            if (!resume_)
                return false;
            resume = std::move(resume_);
            resume_ = nullptr;
        }
        resume(std::move(error));
        return true;
    }

private:
    std::mutex mutex_;
    Resume resume_;
};

} // namespace brindlemoor

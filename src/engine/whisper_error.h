#pragma once

#include <stdexcept>

namespace brindlemoor {

// Why the local model could not be used.
class WhisperError : public std::runtime_error {
public:
    enum class Case { couldNotInitializeContext };

    static WhisperError couldNotInitializeContext()
    {
        return WhisperError(Case::couldNotInitializeContext, "The speech model could not be loaded.");
    }

    Case errorCase() const { return case_; }
    std::string localizedDescription() const { return what(); }

private:
    WhisperError(Case errorCase, const char* description) : std::runtime_error(description), case_(errorCase) {}

    Case case_;
};

} // namespace brindlemoor

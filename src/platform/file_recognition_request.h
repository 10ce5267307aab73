#pragma once

#include <filesystem>
#include <utility>

namespace brindlemoor {

// Recognition of a recorded audio file, from its start to its end.
class FileRecognitionRequest {
public:
    explicit FileRecognitionRequest(std::filesystem::path url) : url_(std::move(url)) {}

    const std::filesystem::path& url() const { return url_; }

    bool shouldReportPartialResults = false;
    bool addsPunctuation = false;

private:
    std::filesystem::path url_;
};

} // namespace brindlemoor

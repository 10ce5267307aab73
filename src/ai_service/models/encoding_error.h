#pragma once

#include "ai_service/models/coding_path.h"

#include <exception>
#include <string>

namespace brindlemoor {

// Why a record could not be written as JSON: a value JSON cannot carry (a double that is not
// finite, a string that is not valid UTF-8). Nothing partial is produced.
class EncodingError : public std::exception {
public:
    enum class Kind {
        invalidValue,
    };

    EncodingError(Kind kind, CodingPath codingPath, std::string debugDescription);

    Kind kind() const { return kind_; }
    const CodingPath& codingPath() const { return codingPath_; }
    const std::string& debugDescription() const { return debugDescription_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    Kind kind_;
    CodingPath codingPath_;
    std::string debugDescription_;
    std::string message_;
};

} // namespace brindlemoor

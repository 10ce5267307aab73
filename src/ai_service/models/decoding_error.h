#pragma once

#include "ai_service/models/coding_path.h"

#include <exception>
#include <string>

namespace brindlemoor {

// Why a JSON value could not be read into a record. Thrown by the decoding functions of
// json_coding.h; the first failing field ends the decoding of the whole document.
class DecodingError : public std::exception {
public:
    enum class Kind {
        keyNotFound,   // a required key is missing
        valueNotFound, // a required key holds null
        typeMismatch,  // a value of another JSON type than the field needs
        dataCorrupted, // the right JSON type, but a value the field cannot hold
    };

    DecodingError(Kind kind, CodingPath codingPath, std::string debugDescription);

    Kind kind() const { return kind_; }
    // The path to the failing value; for keyNotFound it ends with the missing key.
    const CodingPath& codingPath() const { return codingPath_; }
    const std::string& debugDescription() const { return debugDescription_; }
    // A sentence for logs and users: the description and where it happened.
    const char* what() const noexcept override { return message_.c_str(); }

private:
    Kind kind_;
    CodingPath codingPath_;
    std::string debugDescription_;
    std::string message_;
};

} // namespace brindlemoor

#include "ai_service/models/encoding_error.h"

namespace brindlemoor {

EncodingError::EncodingError(Kind kind, CodingPath codingPath, std::string debugDescription)
    : kind_(kind)
    , codingPath_(std::move(codingPath))
    , debugDescription_(std::move(debugDescription))
    , message_("The request could not be written: " + debugDescription_ + " (at " + describeCodingPath(codingPath_) + ")")
{
}

} // namespace brindlemoor

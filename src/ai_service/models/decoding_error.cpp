#include "ai_service/models/decoding_error.h"

namespace brindlemoor {

DecodingError::DecodingError(Kind kind, CodingPath codingPath, std::string debugDescription)
    : kind_(kind)
    , codingPath_(std::move(codingPath))
    , debugDescription_(std::move(debugDescription))
    , message_("The reply could not be read: " + debugDescription_ + " (at " + describeCodingPath(codingPath_) + ")")
{
}

} // namespace brindlemoor

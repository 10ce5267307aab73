#include "ai_service/client/multipart_form_data_request.h"

#include <uuid/uuid.h>

namespace brindlemoor {

std::string makeMultipartBoundary()
{
    uuid_t uuid;
    uuid_generate_random(uuid);
    char text[37];
    uuid_unparse_upper(uuid, text);
    return text;
}

} // namespace brindlemoor

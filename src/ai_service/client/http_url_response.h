#pragma once

#include <string>

namespace brindlemoor {

// What the transport learnt about a reply besides its body. The client hands it on but
// decides nothing by it.
struct HTTPURLResponse {
    std::string url;
    long statusCode = 0;
};

} // namespace brindlemoor

#pragma once

#include <cstdlib>
#include <memory>

namespace brindlemoor {

struct XcbFree {
    void operator()(void* reply) const { std::free(reply); }
};

// A reply or error that XCB allocated for the caller.
template <typename T>
using XcbReply = std::unique_ptr<T, XcbFree>;

} // namespace brindlemoor

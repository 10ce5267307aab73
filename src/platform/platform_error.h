#pragma once

#include <string>

namespace brindlemoor {

// A failure reported by a platform service: which service (domain), its code, and a
// description a user can read. Callers branch on domain and code, and print the description.
struct PlatformError {
    std::string domain;
    int code = 0;
    std::string description;

    const std::string& localizedDescription() const { return description; }
};

} // namespace brindlemoor

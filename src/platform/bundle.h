#pragma once

#include <string_view>

namespace brindlemoor {

// The application's identifier: the log subsystem, the settings' organisation and the name
// other parts of the desktop know the application by.
inline constexpr std::string_view kBundleIdentifier = "com.qz.brindlemoor";
inline constexpr std::string_view kProductName = "Brindlemoor";

} // namespace brindlemoor

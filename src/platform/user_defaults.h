#pragma once

#include <optional>
#include <string>

namespace brindlemoor {

// The user's preferences store: string values by key, kept across runs.
class UserDefaults {
public:
    virtual ~UserDefaults() = default;

    virtual std::optional<std::string> string(const std::string& key) const = 0;
    virtual void setString(const std::string& key, const std::string& value) = 0;
    virtual void remove(const std::string& key) = 0;

    // The process's store; the application installs the settings-file store at start.
    static UserDefaults& standard();
    static void install(UserDefaults* defaults);
};

} // namespace brindlemoor

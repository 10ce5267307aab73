#pragma once

#include "platform/user_defaults.h"

#include <QSettings>
#include <QString>
#include <mutex>

namespace brindlemoor {

// Preferences in an INI file under the user's configuration directory.
class SettingsUserDefaults final : public UserDefaults {
public:
    // The application's own file (~/.config/<organisation>/<application>.conf).
    SettingsUserDefaults();
    // A file of the caller's choosing.
    explicit SettingsUserDefaults(const QString& path);

    std::optional<std::string> string(const std::string& key) const override;
    void setString(const std::string& key, const std::string& value) override;
    void remove(const std::string& key) override;

    QSettings& settings() { return settings_; }

private:
    mutable std::mutex mutex_;
    QSettings settings_;
};

} // namespace brindlemoor

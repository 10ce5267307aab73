#include "platform/qt/settings_user_defaults.h"

#include "platform/bundle.h"

namespace brindlemoor {

SettingsUserDefaults::SettingsUserDefaults()
    : settings_(QSettings::IniFormat, QSettings::UserScope, QString::fromUtf8(kBundleIdentifier.data(), kBundleIdentifier.size()),
                QString::fromUtf8(kProductName.data(), kProductName.size()))
{
}

SettingsUserDefaults::SettingsUserDefaults(const QString& path) : settings_(path, QSettings::IniFormat) {}

std::optional<std::string> SettingsUserDefaults::string(const std::string& key) const
{
    std::lock_guard lock(mutex_);
    QVariant value = settings_.value(QString::fromStdString(key));
    if (!value.isValid())
        return std::nullopt;
    return value.toString().toStdString();
}

void SettingsUserDefaults::setString(const std::string& key, const std::string& value)
{
    std::lock_guard lock(mutex_);
    settings_.setValue(QString::fromStdString(key), QString::fromStdString(value));
    settings_.sync();
}

void SettingsUserDefaults::remove(const std::string& key)
{
    std::lock_guard lock(mutex_);
    settings_.remove(QString::fromStdString(key));
    settings_.sync();
}

} // namespace brindlemoor

#pragma once

#include <QString>

namespace vellum::animation {

// The per-user settings of the library, stored under the application name that the bound
// application state's RegistryKey gives at the moment of each access.
namespace SettingSection {
inline const QString Application = QStringLiteral("Application");
inline const QString Tips = QStringLiteral("Tips");
} // namespace SettingSection

namespace SettingKey {
inline const QString TimelineRows = QStringLiteral("TimelineRows");
inline const QString TimelineChecked = QStringLiteral("TimelineChecked");
inline const QString GhostPrecedingNumber = QStringLiteral("GhostPrecedingNumber");
inline const QString GhostFollowingNumber = QStringLiteral("GhostFollowingNumber");
} // namespace SettingKey

QString readSetting(const QString& key, const QString& defaultValue,
                    const QString& section = SettingSection::Application);
void saveSetting(const QString& key, const QString& value,
                 const QString& section = SettingSection::Application);

} // namespace vellum::animation

#include "PanelSettings.h"

#include "ApplicationState.h"
#include "ModuleState.h"
#include "Platform.h"

namespace vellum::animation {

QString readSetting(const QString& key, const QString& defaultValue, const QString& section)
{
    const QString appName = applicationState()->RegistryKey();
    return outside::platform().GetSetting(appName, section, key, defaultValue);
}

void saveSetting(const QString& key, const QString& value, const QString& section)
{
    const QString appName = applicationState()->RegistryKey();
    outside::platform().SaveSetting(appName, section, key, value);
}

} // namespace vellum::animation

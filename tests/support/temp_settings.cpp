#include "support/temp_settings.h"

#include "common/module_values.h"
#include "common/settings_folder.h"

// Module-wide values reset on both ends, the settings folder set or put back.
void TempSettingsFolder::enter(const QString& folder)
{
    resetModuleValues();
    setSettingsFolder(folder);
}

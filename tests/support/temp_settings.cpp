#include "support/temp_settings.h"

#include "common/settings_folder.h"

// The settings folder set or put back.
void TempSettingsFolder::enter(const QString& folder)
{
    setSettingsFolder(folder);
}

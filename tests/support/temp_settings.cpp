#include "support/temp_settings.h"

#include "common/module_values.h"
#include "common/settings_folder.h"

TempSettingsFolder::TempSettingsFolder()
{
    resetModuleValues();
    setSettingsFolder(m_dir.path());
}

TempSettingsFolder::~TempSettingsFolder()
{
    setSettingsFolder({});
    resetModuleValues();
}

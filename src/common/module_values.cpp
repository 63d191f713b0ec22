#include "common/module_values.h"

QString DataFolder;
QString EstFolder;
QString TicketDate;
std::int16_t JobLoaded = FlagFalse;

void resetModuleValues()
{
    DataFolder.clear();
    EstFolder.clear();
    TicketDate.clear();
    JobLoaded = FlagFalse;
}

#include "common/ui/save_failure.h"

#include "common/result.h"
#include "common/ui/platform.h"

#include <QString>

void reportSaveFailure(const Failure& failure, const QString& consequence)
{
    const QString what = failure.detail.isEmpty()
                             ? QStringLiteral("run-time error %1").arg(failure.number())
                             : failure.detail;
    platform().messageBox(QStringLiteral("Could not save %1.\n\n%2").arg(what, consequence),
                          Platform::Buttons::Ok, Platform::Icon::Exclamation);
}

void reportSaveFailure(const Failure& failure)
{
    reportSaveFailure(failure, QStringLiteral("The file was left as it was; the window keeps what "
                                              "was typed."));
}

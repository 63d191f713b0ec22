#include "common/ui/save_failure.h"

#include "common/runtime_error.h"
#include "common/ui/platform.h"

#include <QString>

void reportSaveFailure(const RuntimeError& error, const QString& consequence)
{
    platform().messageBox(
        QStringLiteral("Could not save %1.\n\n%2")
            .arg(error.detail().isEmpty() ? QString::fromUtf8(error.what()) : error.detail(),
                 consequence),
        Platform::Buttons::Ok, Platform::Icon::Exclamation);
}

void reportSaveFailure(const RuntimeError& error)
{
    reportSaveFailure(error, QStringLiteral("The file was left as it was; the window keeps what "
                                            "was typed."));
}

// What a failure of the main window's load leads to: going on, leaving a
// scan, the data-folder window, or the operator's choice to go on or end.

#include "common/runtime_error.h"
#include "common/ui/platform.h"
#include "common/ui/window_registry.h"
#include "input/ui/frm_delivery.h"

QString FrmDelivery::errorBoxText(const RuntimeError& error, int label, bool fullStop)
{
    return QStringLiteral("Error # %1 in Line %2%3")
        .arg(error.number())
        .arg(label)
        .arg(fullStop ? QStringLiteral(".") : QString());
}

FrmDelivery::LoadReaction FrmDelivery::loadFailure(const RuntimeError& error, int label)
{
    const ErrorCode code = error.code();
    if (code == ErrorCode::FileAlreadyOpen)
        return LoadReaction::Continue;
    if (code == ErrorCode::ObjectNotSet && label >= 160 && label <= 250)
        return LoadReaction::LeaveCustomerScan;
    if (code == ErrorCode::ObjectNotSet && label >= 370 && label <= 450)
        return LoadReaction::LeaveJobPart;
    if (code == ErrorCode::FileNotFound || code == ErrorCode::BadFileNameOrNumber)
        return LoadReaction::Continue;
    if (code == ErrorCode::InvalidDatabasePath) {
        showDataFolderWindow();
        return LoadReaction::StopLoad;
    }
    const auto answer =
        platform().messageBox(errorBoxText(error, label, true), Platform::Buttons::OkCancel,
                              Platform::Icon::None, QStringLiteral("Warning"));
    if (answer == Platform::Answer::Cancel)
        platform().endProgram();
    return LoadReaction::Continue;
}

bool FrmDelivery::showDatabaseWarning(const RuntimeError& error)
{
    const ErrorCode code = error.code();
    if (code != ErrorCode::DatabaseFileNotFound && code != ErrorCode::InvalidDatabasePath &&
        code != ErrorCode::UnreadableDatabase)
        return false;
    platform().messageBox(QStringLiteral("Warning: Database Error. Please Reset Directory Path"));
    m_databaseWarningShown = true;
    return true;
}

void FrmDelivery::showDataFolderWindow()
{
    windows::show(windows::names::frmPath);
}

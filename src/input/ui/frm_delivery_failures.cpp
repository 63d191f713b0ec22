// What a failure of the main window's load, of "Refresh Jobs" or of opening
// the tables leads to: one table, one row per failure, one column per
// place it can happen.

#include "common/runtime_error.h"
#include "common/ui/platform.h"
#include "common/ui/window_registry.h"
#include "input/ui/frm_delivery.h"

#include <limits>

namespace {

enum class Action {
    GoOn,
    LeaveCustomerScan,
    LeaveJobPart,
    ShowDataFolderWindow, // and stop
    WarnOfDatabaseOnce,   // and go on
    WarnOfDatabase,       // and stop
    Ask,                  // the general error box: OK goes on, Cancel ends the program
};

constexpr int AnyLabel = std::numeric_limits<int>::min();
constexpr int LastLabel = std::numeric_limits<int>::max();

struct Rule
{
    ErrorCode code;
    int firstLabel;
    int lastLabel;
    Action onLoad;
    Action onRefresh;
    Action onOpen;
};

// The first row whose number and label range match decides; a failure no
// row names gets the last column of defaults.
constexpr Rule Rules[] = {
    {ErrorCode::FileAlreadyOpen, AnyLabel, LastLabel, Action::GoOn, Action::Ask, Action::GoOn},
    {ErrorCode::ObjectNotSet, 160, 250, Action::LeaveCustomerScan, Action::Ask, Action::GoOn},
    {ErrorCode::ObjectNotSet, 370, 450, Action::LeaveJobPart, Action::Ask, Action::GoOn},
    {ErrorCode::FileNotFound, AnyLabel, LastLabel, Action::GoOn, Action::Ask, Action::GoOn},
    {ErrorCode::BadFileNameOrNumber, AnyLabel, LastLabel, Action::GoOn, Action::Ask, Action::GoOn},
    {ErrorCode::InvalidDatabasePath, AnyLabel, LastLabel, Action::ShowDataFolderWindow,
     Action::WarnOfDatabase, Action::ShowDataFolderWindow},
    {ErrorCode::DatabaseFileNotFound, AnyLabel, LastLabel, Action::Ask, Action::WarnOfDatabase,
     Action::WarnOfDatabaseOnce},
    {ErrorCode::UnreadableDatabase, AnyLabel, LastLabel, Action::Ask, Action::WarnOfDatabase,
     Action::WarnOfDatabaseOnce},
};
constexpr Rule Otherwise{ErrorCode{}, AnyLabel, LastLabel, Action::Ask, Action::Ask, Action::GoOn};

const Rule& ruleFor(const Failure& failure, int label)
{
    for (const Rule& rule : Rules) {
        if (rule.code == failure.code && label >= rule.firstLabel && label <= rule.lastLabel)
            return rule;
    }
    return Otherwise;
}

} // namespace

QString FrmDelivery::errorBoxText(const Failure& failure, int label, bool fullStop)
{
    return QStringLiteral("Error # %1 in Line %2%3")
        .arg(failure.number())
        .arg(label)
        .arg(fullStop ? QStringLiteral(".") : QString());
}

FrmDelivery::LoadReaction FrmDelivery::loadFailure(const Failure& failure, int label)
{
    switch (ruleFor(failure, label).onLoad) {
    case Action::LeaveCustomerScan:
        return LoadReaction::LeaveCustomerScan;
    case Action::LeaveJobPart:
        return LoadReaction::LeaveJobPart;
    case Action::ShowDataFolderWindow:
        showDataFolderWindow();
        return LoadReaction::StopLoad;
    case Action::Ask:
        askWhetherToGoOn(errorBoxText(failure, label, true));
        return LoadReaction::Continue;
    case Action::GoOn:
    case Action::WarnOfDatabaseOnce:
    case Action::WarnOfDatabase:
        break;
    }
    return LoadReaction::Continue;
}

bool FrmDelivery::refreshFailure(const Failure& failure, int label)
{
    switch (ruleFor(failure, label).onRefresh) {
    case Action::WarnOfDatabase:
        showDatabaseWarning();
        return false;
    case Action::Ask:
        // The refresh names no line.
        askWhetherToGoOn(errorBoxText(failure, 0, false));
        return true;
    case Action::GoOn:
    case Action::LeaveCustomerScan:
    case Action::LeaveJobPart:
    case Action::ShowDataFolderWindow:
    case Action::WarnOfDatabaseOnce:
        break;
    }
    return true;
}

bool FrmDelivery::openFailure(const Failure& failure)
{
    switch (ruleFor(failure, 0).onOpen) {
    case Action::ShowDataFolderWindow:
        showDataFolderWindow();
        return false;
    case Action::WarnOfDatabaseOnce:
        if (!m_databaseWarningShown)
            showDatabaseWarning();
        return true;
    case Action::GoOn:
    case Action::LeaveCustomerScan:
    case Action::LeaveJobPart:
    case Action::WarnOfDatabase:
    case Action::Ask:
        break;
    }
    return true;
}

void FrmDelivery::askWhetherToGoOn(const QString& text)
{
    const auto answer = platform().messageBox(text, Platform::Buttons::OkCancel,
                                              Platform::Icon::None, QStringLiteral("Warning"));
    if (answer == Platform::Answer::Cancel)
        platform().endProgram();
}

void FrmDelivery::showDatabaseWarning()
{
    platform().messageBox(QStringLiteral("Warning: Database Error. Please Reset Directory Path"));
    m_databaseWarningShown = true;
}

void FrmDelivery::showDataFolderWindow()
{
    windows::show(windows::names::frmPath);
}

#include "common/ui/event_check_box.h"

#include "common/ui/handler_runner.h"

#include "common/runtime_error.h"

EventCheckBox::EventCheckBox(QWidget* parent)
    : QCheckBox(parent)
{
    connect(this, &QCheckBox::stateChanged, this, [this] { emit clicked(); });
}

int EventCheckBox::value() const
{
    switch (checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    case Qt::Unchecked:
        break;
    }
    return 0;
}

void EventCheckBox::setValue(int value)
{
    Qt::CheckState state = Qt::Unchecked;
    switch (value) {
    case 0:
        break;
    case 1:
        state = Qt::Checked;
        break;
    case 2:
        state = Qt::PartiallyChecked;
        break;
    default:
        throw RuntimeError(ErrorCode::InvalidPropertyValue,
                           QStringLiteral("check box value %1").arg(value));
    }
    raisingEvents([&] { setCheckState(state); });
}

void EventCheckBox::nextCheckState()
{
    // The operator only ever turns the box on or off, also from greyed.
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

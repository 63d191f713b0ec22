#include "common/ui/event_option_button.h"

#include "common/ui/handler_runner.h"

#include <QFocusEvent>

EventOptionButton::EventOptionButton(QWidget* parent)
    : QRadioButton(parent)
{
    connect(this, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            emit clicked();
    });
}

void EventOptionButton::setValue(bool value)
{
    if (value || !isChecked()) {
        raisingEvents([&] { setChecked(value); });
        return;
    }
    // Qt keeps one button of an exclusive group selected; the forms may
    // clear the selection altogether.
    const bool exclusive = autoExclusive();
    setAutoExclusive(false);
    setChecked(false);
    setAutoExclusive(exclusive);
}

void EventOptionButton::focusInEvent(QFocusEvent* event)
{
    QRadioButton::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if ((reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) || isChecked() ||
        !autoExclusive() || parentWidget() == nullptr)
        return;
    const auto group = parentWidget()->findChildren<EventOptionButton*>(Qt::FindDirectChildrenOnly);
    for (EventOptionButton* button : group) {
        if (button->isChecked() && button->autoExclusive() && button->isEnabled() &&
            button->isVisibleTo(parentWidget())) {
            button->setFocus(reason);
            return;
        }
    }
}

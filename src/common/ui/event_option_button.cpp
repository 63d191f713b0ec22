#include "common/ui/event_option_button.h"

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
        setChecked(value);
        return;
    }
    // Qt keeps one button of an exclusive group selected; the forms may
    // clear the selection altogether.
    const bool exclusive = autoExclusive();
    setAutoExclusive(false);
    setChecked(false);
    setAutoExclusive(exclusive);
}

#pragma once

#include <QRadioButton>

// An option button whose clicked() is raised when it becomes the selected
// one, by the operator or by setValue(true) from code (at once, before
// setValue() returns). Selecting the selected button raises nothing, and
// neither does losing the selection. Buttons with one parent exclude each
// other; setValue(false) leaves the group with none selected.
//
// Tab and Shift+Tab stop once in a group of buttons, at the selected one
// (the arrow keys move within the group).
class EventOptionButton : public QRadioButton
{
    Q_OBJECT

public:
    explicit EventOptionButton(QWidget* parent = nullptr);

    bool value() const { return isChecked(); }
    void setValue(bool value);

signals:
    void clicked();

protected:
    void focusInEvent(QFocusEvent* event) override;
};

#pragma once

#include <QCheckBox>

// A check box whose clicked() is raised whenever its state changes, by the
// operator or by setValue() from code (at once, before setValue() returns);
// setting the state it already has raises nothing.
//
// Values: 0 off, 1 on, 2 greyed (shown part-checked; only code sets it, and
// the operator's next click turns the box on). Any other value is refused
// with RuntimeError InvalidPropertyValue and leaves the state as it was.
class EventCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit EventCheckBox(QWidget* parent = nullptr);

    int value() const;
    void setValue(int value);
    // Whether setValue() takes `value`: 0, 1 or 2.
    static bool takes(int value) { return value >= 0 && value <= 2; }

signals:
    void clicked();

protected:
    void nextCheckState() override;
};

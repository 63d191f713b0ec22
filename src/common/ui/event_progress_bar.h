#pragma once

#include <QProgressBar>

// A progress bar with 64-bit minimum, maximum and value, scaled onto
// QProgressBar's int steps, so counts beyond 2^31 work.
//
// Refused with RuntimeError InvalidPropertyValue, leaving everything as it
// was: a maximum not greater than the minimum, and a value outside minimum to
// maximum. A range that no longer holds the value moves the value to its
// nearest end. At the start the range is 0 to 100 and the value 0.
//
// Events: mouseDown() on any mouse button pressed on the bar; clicked() when
// the left button is pressed and released on it.
//
// The int setters of QProgressBar are routed through the 64-bit ones, so the
// rules hold whichever is called; the int getters give the scaled steps.
class EventProgressBar : public QProgressBar
{
    Q_OBJECT

public:
    explicit EventProgressBar(QWidget* parent = nullptr);

    qint64 minimum64() const { return m_minimum; }
    qint64 maximum64() const { return m_maximum; }
    qint64 value64() const { return m_value; }

    void setRange64(qint64 minimum, qint64 maximum);
    void setMinimum64(qint64 minimum);
    void setMaximum64(qint64 maximum);
    void setValue64(qint64 value);

    void setRange(int minimum, int maximum) { setRange64(minimum, maximum); }
    void setMinimum(int minimum) { setMinimum64(minimum); }
    void setMaximum(int maximum) { setMaximum64(maximum); }
    void setValue(int value) { setValue64(value); }

signals:
    void mouseDown();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showSteps();

    qint64 m_minimum = 0;
    qint64 m_maximum = 100;
    qint64 m_value = 0;
    bool m_leftPressed = false;
};

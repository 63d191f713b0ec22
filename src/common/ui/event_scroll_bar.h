#pragma once

#include <QScrollBar>

// A horizontal scroll bar that works from the keyboard as the program's
// forms expect:
//
// - It is a tab stop (Tab reaches it; a click gives it the focus too).
// - Left and Up step back, Right and Down step on; Page Up steps back and
//   Page Down on by the page step; Home goes to the minimum, End to the
//   maximum. Qt's own sliders move up on Page Up (towards the maximum), and
//   mirror Left and Right in a right-to-left layout; here the keys follow the
//   reading direction of the parts: Right and Page Down always go on.
// - Every move, by key, mouse or setValue(), raises valueChanged() once for
//   each value the bar takes, before the move returns.
//
// One step and one page are both 1 until changed: a click in the trough
// moves one place, like a click on an arrow.
class EventScrollBar : public QScrollBar
{
    Q_OBJECT

public:
    explicit EventScrollBar(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

#pragma once

#include <QLineEdit>

// A single-line text box with the events of the program's forms:
//
// - changed(): the text changed, by typing or by setText() from code, which
//   raises it at once, before setText() returns. Nothing is raised when the
//   text stays the same (also when the maximum length cuts a new text back
//   to the old one).
// - setText() puts the caret at the beginning, so a text longer than the box
//   shows its start; typing moves the caret as usual.
// - keyPressed(charCode): a key that types a character (Enter = 13), raised
//   before the key is handled. A handler may call suppressKey() to swallow
//   the key.
// - lostFocus(): the keyboard focus moved elsewhere inside the program
//   (switching applications and opening a popup do not count).
class EventTextBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit EventTextBox(QWidget* parent = nullptr);

    QString text() const { return QLineEdit::text(); }
    void setText(const QString& text);

    // Only during keyPressed: the key is not handled further.
    void suppressKey() { m_keySuppressed = true; }

signals:
    void changed();
    void keyPressed(int charCode);
    void lostFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool m_keySuppressed = false;
};

#pragma once

#include <QPlainTextEdit>

// A multi-line text box whose text has CR LF line ends, as the program's
// address blocks are built and read:
//
// - text() gives every line break as CR LF; a text that ends with a line
//   break keeps it ("A\r\nB\r\n" reads back exactly).
// - setText() takes CR LF, and also a lone CR or LF, as a line break, and
//   raises changed() at once, before it returns, when the text differs. The
//   block then shows its start, with the caret at the beginning.
// - Tab and Shift+Tab move the focus on and back, as in every other field;
//   a TAB typed into an address would print on the ticket. Ctrl+Tab types
//   one for whoever really wants it.
// - changed(): the text changed, by typing or by setText().
// - lostFocus(): the keyboard focus moved elsewhere inside the program
//   (switching applications and opening a popup do not count).
class EventTextBlock : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit EventTextBlock(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

signals:
    void changed();
    void lostFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void onContentsChanged();

    // The text as last reported, so that edits which leave it as it was
    // (formatting, an undone keystroke's twin) raise nothing.
    QString m_text;
    bool m_settingText = false;
};

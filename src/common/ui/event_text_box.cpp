#include "common/ui/event_text_box.h"

#include "common/ui/handler_runner.h"

#include "common/ui/key_char_code.h"

#include <QFocusEvent>
#include <QKeyEvent>

EventTextBox::EventTextBox(QWidget* parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, &EventTextBox::changed);
}

void EventTextBox::setText(const QString& text)
{
    const QString before = QLineEdit::text();
    QLineEdit::setText(text);
    setCursorPosition(0);
    if (QLineEdit::text() != before)
        raisingEvents([this] { emit changed(); });
}

void EventTextBox::keyPressEvent(QKeyEvent* event)
{
    if (const int charCode = keyCharCode(*event); charCode != 0) {
        m_keySuppressed = false;
        emit keyPressed(charCode);
        if (m_keySuppressed) {
            m_keySuppressed = false;
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void EventTextBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit lostFocus();
}

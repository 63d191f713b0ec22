#include "common/ui/event_text_block.h"

#include "common/ui/handler_runner.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace {

const QString CrLf = QStringLiteral("\r\n");

} // namespace

EventTextBlock::EventTextBlock(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &EventTextBlock::onContentsChanged);
}

QString EventTextBlock::text() const
{
    // The raw text keeps non-breaking spaces, which the plain-text export
    // would turn into blanks; paragraph and line separators are the breaks.
    QString raw = document()->toRawText();
    QString result;
    result.reserve(raw.size() + raw.size() / 16);
    for (const QChar c : raw) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n')
            result += CrLf;
        else
            result += c;
    }
    return result;
}

void EventTextBlock::setText(const QString& text)
{
    QString lines = text;
    lines.replace(CrLf, QStringLiteral("\n"));
    lines.replace(u'\r', u'\n');
    if (QString(lines).replace(u'\n', CrLf) == m_text)
        return; // the same text: keep the cursor and the undo history

    m_settingText = true;
    setPlainText(lines);
    m_settingText = false;
    moveCursor(QTextCursor::Start);
    QString now = this->text();
    if (now == m_text)
        return;
    m_text = std::move(now);
    raisingEvents([this] { emit changed(); });
}

void EventTextBlock::onContentsChanged()
{
    if (m_settingText)
        return;
    QString now = text();
    if (now == m_text)
        return;
    m_text = std::move(now);
    emit changed();
}

void EventTextBlock::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::ControlModifier) {
        insertPlainText(QStringLiteral("\t"));
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void EventTextBlock::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit lostFocus();
}

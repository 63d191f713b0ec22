#include "common/ui/key_char_code.h"

#include <QKeyEvent>

int keyCharCode(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Delete:
        return 0; // some platforms give it the text DEL, yet it types nothing
    default:
        break;
    }
    const QString text = event.text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

#pragma once

// Making a window's controls under the names the program knows them by,
// with the accessible names screen readers and test scripts find them by.

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <initializer_list>

#include <utility>

// A widget with its object name set.
template<typename Widget, typename... Args>
Widget* named(const char* name, Args&&... args)
{
    auto* widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The text a caption reads as: mnemonic marks gone ("&&" is one "&"),
// without a closing colon.
inline QString accessibleCaption(QString caption)
{
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption.trimmed();
}

// A label that names the field it stands before, for the keyboard (Alt key)
// and for screen readers; the field takes the label's text as its name.
inline QLabel* buddyLabel(const char* name, const QString& caption, QWidget* field)
{
    auto* label = named<QLabel>(name, caption);
    label->setBuddy(field);
    label->setAccessibleName(accessibleCaption(caption));
    field->setAccessibleName(accessibleCaption(caption));
    return label;
}

// A button under its name, its caption its accessible name.
inline QPushButton* namedButton(const char* name, const QString& caption)
{
    auto* button = named<QPushButton>(name, caption);
    button->setAccessibleName(accessibleCaption(caption));
    return button;
}

// A label under its name, its text its accessible name.
inline QLabel* namedLabel(const char* name, const QString& text)
{
    auto* label = named<QLabel>(name, text);
    label->setAccessibleName(accessibleCaption(text));
    return label;
}

// A window's title label: bold Times New Roman at `pointSize`.
inline QLabel* titleLabel(const char* name, const QString& text, int pointSize)
{
    auto* label = namedLabel(name, text);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(pointSize);
    font.setBold(true);
    label->setFont(font);
    return label;
}

// A one-line box in Courier New at `pointSize`, the face the ticket is
// printed in, so that what is typed lines up as it will print; wide enough
// to show `columns` characters. A `maxLength` of 0 sets no limit.
inline QLineEdit* courierBox(const char* name, double pointSize, int maxLength, int columns,
                             const QString& text = {})
{
    auto* box = named<QLineEdit>(name, text);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(pointSize);
    box->setFont(font);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QString(columns, u'M')) + 12);
    return box;
}

// Sets the keyboard's tab order to run through `chain` in the order given.
inline void setTabChain(std::initializer_list<QWidget*> chain)
{
    QWidget* previous = nullptr;
    for (QWidget* widget : chain) {
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

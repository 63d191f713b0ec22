#pragma once

// Making a window's controls under the names the program knows them by,
// and naming them for screen readers and test scripts.

#include <QAccessible>
#include <QComboBox>
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

// How screen readers hear a window's controls. A control that shows its own
// text (a label, a button, a check or option button, a frame) is given no
// accessible name: it is announced by the text it shows now, mnemonic marks
// left out, and a change of that text reaches the screen reader. What a
// reader should hear beyond the text goes into the accessible description.
// Only a control that shows no text of its own gets a name: from the label
// standing before it (buddyLabel), from the frame around it, or, with
// neither, a fixed one.

// A label that names the field it stands before, for the keyboard (Alt key)
// and for screen readers: the field, having no accessible name of its own,
// is announced by the label's current text, so a caption that changes
// renames the field. Label and field must share a parent widget (one layout
// or one frame), where the name is looked for.
inline QLabel* buddyLabel(const char* name, const QString& caption, QWidget* field)
{
    auto* label = named<QLabel>(name, caption);
    label->setBuddy(field);
    return label;
}

// Sets a label's text. A screen reader is told of the label's new name,
// and here also of the new name of the field the label names, which it may
// have kept from before.
inline void relabel(QLabel* label, const QString& text)
{
    label->setText(text);
    QWidget* field = label->buddy();
    if (field != nullptr && field->accessibleName().isEmpty()) {
        QAccessibleEvent renamed(field, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
}

// A combo box's accessible name is its text on some platforms, so what the
// box is for goes into the description too, which stays when the text
// changes.
inline void nameComboBox(QComboBox* box, const QString& name)
{
    box->setAccessibleName(name);
    box->setAccessibleDescription(name);
}

// A window's title label: bold Times New Roman at `pointSize`.
inline QLabel* titleLabel(const char* name, const QString& text, int pointSize)
{
    auto* label = named<QLabel>(name, text);
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

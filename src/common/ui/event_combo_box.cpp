#include "common/ui/event_combo_box.h"

#include "common/ui/handler_runner.h"

#include "common/ui/key_char_code.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QWheelEvent>

EventComboBox::EventComboBox(QWidget* parent)
    : QComboBox(parent)
    , m_model(new QStringListModel(this))
{
    setModel(m_model);

    // The list views Qt would make measure every entry; with uniform sizes
    // opening a list of 150,000 entries takes milliseconds instead of seconds.
    auto* list = new QListView(this);
    list->setUniformItemSizes(true);
    setView(list);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    // When the edit ends (focus leaves, Enter) with a text equal to an entry,
    // Qt picks that entry as if the operator had chosen it. That is no pick:
    // the two handlers around Qt's own mark the stretch in which it happens.
    auto* edit = new QLineEdit(this);
    connect(edit, &QLineEdit::editingFinished, this, [this] { m_finishingEdit = true; });
    setLineEdit(edit);
    connect(edit, &QLineEdit::editingFinished, this, [this] { m_finishingEdit = false; });

    setEditable(true);
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    setFocusPolicy(Qt::StrongFocus);

    connect(edit, &QLineEdit::textEdited, this, &EventComboBox::changed);
    connect(this, &QComboBox::activated, this, &EventComboBox::onActivated);
}

QString EventComboBox::text() const
{
    return lineEdit()->text();
}

void EventComboBox::setText(const QString& text)
{
    if (text == lineEdit()->text())
        return;
    lineEdit()->setText(text);
    lineEdit()->setCursorPosition(0);
    raisingEvents([this] { emit changed(); });
}

template<typename Change>
void EventComboBox::changeList(Change&& change)
{
    const QString text = lineEdit()->text();
    const int caret = lineEdit()->cursorPosition();
    change();
    // Qt picks the first entry of a list that was empty and moves the pick
    // when the picked entry goes; an entry stays picked only while the edit
    // text still shows it.
    if (currentIndex() >= 0 && QComboBox::itemText(currentIndex()) != text)
        setCurrentIndex(-1);
    if (lineEdit()->text() != text) {
        lineEdit()->setText(text);
        lineEdit()->setCursorPosition(caret);
    }
}

void EventComboBox::addItem(const QString& item)
{
    changeList([&] {
        const int row = m_model->rowCount();
        m_model->insertRows(row, 1);
        m_model->setData(m_model->index(row), item);
    });
}

void EventComboBox::addItems(const QStringList& items)
{
    if (items.isEmpty())
        return;
    // An empty list takes the given one as it is, sharing instead of copying.
    changeList([&] {
        m_model->setStringList(m_model->rowCount() == 0 ? items : m_model->stringList() + items);
    });
}

void EventComboBox::setItems(QStringList items)
{
    changeList([&] { m_model->setStringList(items); });
}

void EventComboBox::clearList()
{
    changeList([&] { m_model->setStringList({}); });
}

void EventComboBox::removeItem(int index)
{
    if (index < 0 || index >= m_model->rowCount())
        return;
    changeList([&] { m_model->removeRows(index, 1); });
}

int EventComboBox::count() const
{
    return m_model->rowCount();
}

QString EventComboBox::item(int index) const
{
    return m_model->stringList().value(index);
}

QStringList EventComboBox::items() const
{
    return m_model->stringList();
}

void EventComboBox::keyPressEvent(QKeyEvent* event)
{
    if (const int charCode = keyCharCode(*event); charCode != 0)
        emit keyPressed(charCode);
    QComboBox::keyPressEvent(event);
}

void EventComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit lostFocus();
}

void EventComboBox::wheelEvent(QWheelEvent* event)
{
    // Only a box the operator is working in turns its list with the wheel.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

void EventComboBox::onActivated()
{
    if (m_finishingEdit)
        return;
    emit clicked();
}

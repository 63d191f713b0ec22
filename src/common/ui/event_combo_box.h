#pragma once

#include <QComboBox>
#include <QStringList>

class QStringListModel;

// An editable combo box with the events of the program's forms:
//
// - changed(): the edit text changed, by typing (once per keystroke) or by
//   setText() from code, which raises it at once, before setText() returns.
//   Nothing is raised when the text stays the same. Text set from code shows
//   its start: the caret goes to the beginning.
// - clicked(): the operator picked an entry of the list (mouse, or keyboard in
//   the drop-down or the closed box). The pick puts the entry into the edit
//   text without raising changed(), then raises clicked().
// - keyPressed(charCode): a key that types a character (Enter = 13), raised
//   before the key is handled.
// - lostFocus(): the keyboard focus moved elsewhere inside the program
//   (switching applications and opening the box's own list do not count).
//
// Typed text is never added to the list and never completed from it. The
// list is built for 100,000 entries and more: nothing measures every entry,
// and setItems() fills it in one go. Changing the list never changes the
// edit text and raises no event. The mouse wheel picks entries only in a box
// that has the keyboard focus, so scrolling over a form cannot pick one.
class EventComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit EventComboBox(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

    void addItem(const QString& item);
    void addItems(const QStringList& items);
    // Replaces the whole list.
    void setItems(QStringList items);
    void clearList();
    // An index outside the list is ignored.
    void removeItem(int index);

    int count() const;
    // The entry at index; an empty text when there is none.
    QString item(int index) const;
    // The whole list; the copy is shared, not made.
    QStringList items() const;

signals:
    void changed();
    void clicked();
    void keyPressed(int charCode);
    void lostFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Runs a change of the list, keeping the edit text; the picked entry
    // stays picked only while the edit text still shows it.
    template<typename Change>
    void changeList(Change&& change);

    void onActivated();

    QStringListModel* m_model;
    bool m_finishingEdit = false;
};

#pragma once

// The splash window, frmSplash: shown while the program starts, with the
// product name, the release, the platform and a progress bar that start-up
// runs from end to end. A frameless window of fixed size over a picture
// drawn in code; every label is set in Arial.

#include <QFont>
#include <QPixmap>
#include <QWidget>

class EventProgressBar;
class QLabel;

class FrmSplash final : public QWidget
{
    Q_OBJECT

public:
    // Builds the controls, then loads the window (Form_Load): centres it,
    // sets lblVersion from the release and lblProductName.
    explicit FrmSplash(QWidget* parent = nullptr);

    // The progress bar start-up drives; hidden until start-up shows it.
    EventProgressBar& pbSplash() { return *m_pbSplash; }

protected:
    void paintEvent(QPaintEvent* event) override;

    // Form_KeyPress: a key that types a character (letters, digits, Enter,
    // Escape, Backspace...) unloads the window; a modifier or navigation key
    // alone does not.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* addLabel(const char* name, const QString& text, int pointSize, const QRect& place,
                     QFont::Weight weight = QFont::Normal);
    void formLoad();

    QPixmap m_picture;
    EventProgressBar* m_pbSplash;
    QLabel* m_lblProductName;
    QLabel* m_lblVersion;
};

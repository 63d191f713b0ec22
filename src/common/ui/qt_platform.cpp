#include "common/ui/qt_platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>

#include <cstdlib>

namespace {

constexpr double TwipsPerInch = 1440.0;

// Without a screen (no display at all) the common desktop resolution is the
// most useful guess.
constexpr double FallbackDotsPerInch = 96.0;

QMessageBox::Icon boxIcon(Platform::Icon icon)
{
    switch (icon) {
    case Platform::Icon::Critical:
        return QMessageBox::Critical;
    case Platform::Icon::Exclamation:
        return QMessageBox::Warning;
    case Platform::Icon::Information:
        return QMessageBox::Information;
    case Platform::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Platform::Answer QtPlatform::messageBox(const QString& text, Buttons buttons, Icon icon,
                                        const QString& title)
{
    QMessageBox box(boxIcon(icon), messageBoxTitle(title), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    QPushButton* cancel = nullptr;
    if (buttons == Buttons::OkCancel) {
        cancel = box.addButton(QMessageBox::Cancel);
        box.setEscapeButton(cancel);
    } else {
        box.setEscapeButton(ok);
    }
    box.setDefaultButton(ok);
    box.exec();
    return cancel != nullptr && box.clickedButton() != ok ? Answer::Cancel : Answer::Ok;
}

void QtPlatform::beep()
{
    QApplication::beep();
}

void QtPlatform::endProgram()
{
    // The program keeps no file open between events and writes every setting
    // the moment it changes, so leaving the process at once loses nothing.
    std::exit(0);
}

QSizeF QtPlatform::screenSizeTwips() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    return QSizeF(screen->availableSize()) * twipsPerPixel();
}

double QtPlatform::twipsPerPixel() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr && screen->logicalDotsPerInch() > 0
                           ? screen->logicalDotsPerInch()
                           : FallbackDotsPerInch;
    return TwipsPerInch / dpi;
}

bool QtPlatform::printDialog(QPrinter& printer)
{
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

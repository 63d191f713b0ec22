#include "common/ui/event_progress_bar.h"
#include "common/ui/window_registry.h"
#include "startup/frm_splash.h"
#include "startup_windows_fixture.h"

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>

namespace {

class SplashWindowTest : public StartupWindowsTest
{
protected:
    FrmSplash* showSplash()
    {
        return qobject_cast<FrmSplash*>(windows::show(QStringLiteral("frmSplash")));
    }

    static QString labelText(const QWidget& window, const char* name)
    {
        const auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
        return label != nullptr ? label->text() : QStringLiteral("<no %1>").arg(name);
    }

    static void press(QWidget& window, Qt::Key key, const QString& text,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
        QCoreApplication::sendEvent(&window, &event);
    }
};

TEST_F(SplashWindowTest, LoadNamesProductReleaseAndPlatform)
{
    FrmSplash* splash = showSplash();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->objectName(), "frmSplash");
    EXPECT_EQ(labelText(*splash, "lblProductName"), "Vantrell Delivery Ticket");
    EXPECT_EQ(labelText(*splash, "lblVersion"), "Version 1.2.65");
    EXPECT_EQ(labelText(*splash, "lblCompany"), "Quillmark Software");
#if defined(Q_OS_LINUX)
    EXPECT_EQ(labelText(*splash, "lblPlatform"), "Linux Platform");
#endif

    const auto labels = splash->findChildren<QLabel*>();
    EXPECT_EQ(labels.size(), 6);
    for (const QLabel* label : labels) {
        EXPECT_EQ(label->font().family(), "Arial") << label->objectName().toStdString();
        EXPECT_FALSE(label->text().isEmpty()) << label->objectName().toStdString();
    }
}

TEST_F(SplashWindowTest, ProgressBarWaitsForStartUp)
{
    FrmSplash* splash = showSplash();
    ASSERT_NE(splash, nullptr);
    const auto* bar = splash->findChild<EventProgressBar*>(QStringLiteral("pbSplash"));
    ASSERT_EQ(bar, &splash->pbSplash());
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(SplashWindowTest, BackgroundIsThePicture)
{
    FrmSplash* splash = showSplash();
    ASSERT_NE(splash, nullptr);
    const QImage shot = splash->grab().toImage();
    // The top left corner starts the dark blue gradient, not the style's
    // plain window colour.
    const QColor corner = shot.pixelColor(2, 2);
    EXPECT_LT(corner.red(), 0x30);
    EXPECT_GT(corner.blue(), 0x40);
    EXPECT_NE(corner, splash->palette().color(QPalette::Window));
    // The ticket is drawn on the left: a light sheet below the printer.
    EXPECT_GT(shot.pixelColor(70, 112).lightness(), 200);
}

TEST_F(SplashWindowTest, CharacterKeysUnloadIt)
{
    const std::pair<Qt::Key, QString> keys[] = {
        {Qt::Key_A, QStringLiteral("a")},
        {Qt::Key_Escape, QStringLiteral("\x1b")},
        {Qt::Key_Return, QStringLiteral("\r")},
    };
    for (const auto& [key, text] : keys) {
        QPointer<FrmSplash> splash = showSplash();
        ASSERT_NE(splash, nullptr);
        press(*splash, key, text);
        EXPECT_EQ(windows::find(QStringLiteral("frmSplash")), nullptr) << text.toStdString();
        deleteClosedWindows();
        EXPECT_TRUE(splash.isNull()) << text.toStdString();
    }
}

TEST_F(SplashWindowTest, KeysThatTypeNothingLeaveItOpen)
{
    FrmSplash* splash = showSplash();
    ASSERT_NE(splash, nullptr);
    press(*splash, Qt::Key_Shift, {}, Qt::ShiftModifier);
    press(*splash, Qt::Key_Left, {});
    EXPECT_EQ(shownWindow("frmSplash"), splash);
}

TEST_F(SplashWindowTest, MadeOutsideTheRegistryAKeyStillClosesIt)
{
    QPointer<FrmSplash> splash = new FrmSplash;
    splash->show();
    press(*splash, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_FALSE(splash->isVisible());
    deleteClosedWindows();
    EXPECT_TRUE(splash.isNull());
}

} // namespace

#include "common/ui/event_progress_bar.h"
#include "common/ui/window_registry.h"
#include "startup/frm_splash.h"
#include "startup_windows_fixture.h"

#include <QCoreApplication>
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

    static void press(QWidget& window, Qt::Key key, const QString& text)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(&window, &event);
    }
};

TEST_F(SplashWindowTest, LoadNamesProductReleaseAndPlatform)
{
    FrmSplash* splash = showSplash();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(labelText(*splash, "lblProductName"), "Vantrell Delivery Ticket");
    EXPECT_EQ(labelText(*splash, "lblVersion"), "Version 1.2.65");
    EXPECT_EQ(labelText(*splash, "lblCompany"), "Quillmark Software");
#if defined(Q_OS_LINUX)
    EXPECT_EQ(labelText(*splash, "lblPlatform"), "Linux Platform");
#endif
    EXPECT_FALSE(splash->pbSplash().isVisible()); // until the start-up shows it
}

TEST_F(SplashWindowTest, KeysThatTypeACharacterUnloadItOthersLeaveItOpen)
{
    const struct
    {
        Qt::Key key;
        const char* text;
        bool closes;
    } keys[] = {{Qt::Key_A, "a", true},       {Qt::Key_Escape, "\x1b", true},
                {Qt::Key_Return, "\r", true}, {Qt::Key_Space, " ", true},
                {Qt::Key_Shift, "", false},   {Qt::Key_Left, "", false}};
    for (const auto& key : keys) {
        QPointer<FrmSplash> splash = showSplash();
        ASSERT_NE(splash, nullptr);
        press(*splash, key.key, QString::fromLatin1(key.text));
        deleteClosedWindows();
        EXPECT_EQ(splash.isNull(), key.closes) << key.key;
        EXPECT_EQ(shownWindow("frmSplash") != nullptr, !key.closes) << key.key;
    }

    // Made outside the registry, a key still closes it.
    QPointer<FrmSplash> splash = new FrmSplash;
    splash->show();
    press(*splash, Qt::Key_Space, QStringLiteral(" "));
    deleteClosedWindows();
    EXPECT_TRUE(splash.isNull());
}

} // namespace

#include "common/ui/center_form.h"
#include "support/scripted_platform.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(CenterForm, CentresTheWindowOnTheScreenWithoutResizingIt)
{
    ScriptedPlatform platform; // 19200 x 14400 twips, 15 twips per pixel
    QWidget window;
    window.resize(400, 300);

    CenterForm(window);
    EXPECT_EQ(window.pos(), QPoint(440, 330));
    EXPECT_EQ(window.size(), QSize(400, 300));
}

TEST(CenterForm, WindowLargerThanTheScreenGetsANegativePosition)
{
    ScriptedPlatform platform;
    platform.screen = QSizeF(15000, 9000); // 1000 x 600 pixels
    QWidget window;
    window.resize(1200, 700);

    CenterForm(window);
    EXPECT_EQ(window.pos(), QPoint(-100, -50));
    EXPECT_EQ(window.size(), QSize(1200, 700));
}

TEST(CenterForm, OddDifferencesAreCentredToTheNearestPixel)
{
    EXPECT_EQ(centeredPosition(QSizeF(19200, 14400), QSizeF(401, 303), 15), QPoint(440, 329));
    EXPECT_EQ(centeredPosition(QSizeF(19200, 14400), QSizeF(1283, 961), 15), QPoint(-2, -1));
}

TEST(CenterForm, ComputesInSinglePrecision)
{
    // At 168 dpi a twip is no whole fraction of a pixel. Exactly, the left
    // edge falls on 632.5 pixels; single precision lands a hair above the
    // half (633), double precision a hair below it (632).
    const double twipsPerPixel = 1440.0 / 168.0;
    const QSizeF screen(1366 * twipsPerPixel, 768 * twipsPerPixel);
    EXPECT_EQ(centeredPosition(screen, QSizeF(101, 100), twipsPerPixel).x(), 633);
}

} // namespace

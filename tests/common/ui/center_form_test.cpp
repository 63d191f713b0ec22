#include "common/ui/center_form.h"
#include "support/scripted_platform.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(CenterForm, CentresTheWindowOnTheScreenWithoutResizingIt)
{
    ScriptedPlatform platform;
    const struct
    {
        QSizeF screenTwips;
        QSize window;
        QPoint expected;
    } cases[] = {
        {{19200, 14400}, {400, 300}, {440, 330}},
        {{15000, 9000}, {1200, 700}, {-100, -50}}, // larger than the screen
        {{19200, 14400}, {401, 303}, {440, 329}},  // odd differences: the nearest pixel
        {{19200, 14400}, {1283, 961}, {-2, -1}},
    };
    for (const auto& c : cases) {
        platform.screen = c.screenTwips;
        QWidget window;
        window.resize(c.window);
        CenterForm(window);
        EXPECT_EQ(window.pos(), c.expected);
        EXPECT_EQ(window.size(), c.window);
    }
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

#include "common/ui/center_form.h"

#include "common/ui/platform.h"

#include <QWidget>

#include <cmath>

namespace {

int toPixels(float twips, double twipsPerPixel)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixel));
}

} // namespace

QPoint centeredPosition(QSizeF screenTwips, QSizeF framePixels, double twipsPerPixel)
{
    const auto twipsPerPixelSingle = static_cast<float>(twipsPerPixel);
    const float windowWidth = static_cast<float>(framePixels.width()) * twipsPerPixelSingle;
    const float windowHeight = static_cast<float>(framePixels.height()) * twipsPerPixelSingle;
    const float left = (static_cast<float>(screenTwips.width()) - windowWidth) / 2.0f;
    const float top = (static_cast<float>(screenTwips.height()) - windowHeight) / 2.0f;
    return {toPixels(left, twipsPerPixel), toPixels(top, twipsPerPixel)};
}

void CenterForm(QWidget& window)
{
    const Platform& screen = platform();
    window.move(centeredPosition(screen.screenSizeTwips(), window.frameGeometry().size(),
                                 screen.twipsPerPixel()));
}

#pragma once

#include "common/ui/platform.h"

// The platform of the running program: Qt message boxes, the desktop's beep
// and the primary screen.
class QtPlatform : public Platform
{
public:
    Answer messageBox(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                      const QString& title = {}) override;
    void beep() override;
    [[noreturn]] void endProgram() override;
    QSizeF screenSizeTwips() const override;
    double twipsPerPixel() const override;
    bool printDialog(QPrinter& printer) override;
};

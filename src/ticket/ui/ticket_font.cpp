#include "ticket/ui/ticket_font.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <cstdio>

QFont ticketFont(int pointSize, const QString& family)
{
    QFont font(family, pointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setKerning(false);
    if (QFontInfo(font).fixedPitch())
        return font;

    static bool told = false;
    if (!told) {
        told = true;
        std::fprintf(stderr,
                     "Courier New resolves to %s, which is not fixed-pitch; "
                     "the ticket uses the system's fixed font.\n",
                     qPrintable(QFontInfo(font).family()));
    }
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(pointSize);
    fixed.setKerning(false);
    return fixed;
}

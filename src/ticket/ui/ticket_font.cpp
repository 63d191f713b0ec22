#include "ticket/ui/ticket_font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <cstdio>

namespace {

bool isFixed(const QFont& font)
{
    return QFontInfo(font).fixedPitch();
}

// The system's fixed font first; where that resolves to a face the font
// database does not know as fixed-pitch (a "monospace" alias can land on a
// face whose files say otherwise), the first installed face that is.
QFont fixedFallback(int pointSize)
{
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(pointSize);
    fixed.setKerning(false);
    if (isFixed(fixed))
        return fixed;
    const QStringList families = QFontDatabase::families();
    for (const QString& candidate : families) {
        if (!QFontDatabase::isFixedPitch(candidate))
            continue;
        QFont font(candidate, pointSize);
        font.setKerning(false);
        if (isFixed(font))
            return font;
    }
    return fixed;
}

} // namespace

QFont ticketFont(int pointSize, const QString& family)
{
    QFont font(family, pointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setKerning(false);
    if (isFixed(font))
        return font;

    static bool told = false;
    if (!told) {
        told = true;
        std::fprintf(stderr,
                     "Courier New resolves to %s, which is not fixed-pitch; "
                     "the ticket uses the system's fixed font.\n",
                     qPrintable(QFontInfo(font).family()));
    }
    return fixedFallback(pointSize);
}

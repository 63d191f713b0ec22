#pragma once

#include "ticket/ticket_surface.h"

#include <QFont>
#include <QRectF>

#include <functional>

class QPainter;

// The ticket drawn with a painter, on the preview window or on the printer.
// Column n starts at (n - 1) times the font's exact pitch on the painter's
// device (the advance of 80 "M" divided by 80, measured with that device's
// font metrics), never a whole number of device units per character, so a
// column lands at the same place on screen and on paper. Line n starts one
// line height below line n - 1.
class PainterSurface : public TicketSurface
{
public:
    // Starts a new page; the surface's lines continue at its top.
    using NewPage = std::function<void()>;

    // Draws into `area` (device units): column 1 at its left edge, the first
    // line at its top. Without `newPage` the lines simply run on downwards;
    // with it, a line that would not fit below the area's bottom starts a
    // new page instead of being lost.
    PainterSurface(QPainter& painter, const QFont& font, const QRectF& area, NewPage newPage = {});

    double pitch() const { return m_pitch; }
    double lineHeight() const { return m_lineHeight; }

    // The pitch and line height of `font` on the painter's device.
    static std::pair<double, double> metrics(const QFont& font, QPaintDevice* device);

protected:
    void drawText(int line, int column, const QString& text, bool bold) override;

private:
    QPainter& m_painter;
    QFont m_regular;
    QFont m_bold;
    QRectF m_area;
    NewPage m_newPage;
    double m_pitch = 0;
    double m_lineHeight = 0;
    double m_ascent = 0;
    int m_linesPerPage = 0;
    int m_page = 0;
    bool m_boldSet = false;
};

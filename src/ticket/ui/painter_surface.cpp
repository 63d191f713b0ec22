#include "ticket/ui/painter_surface.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

std::pair<double, double> PainterSurface::metrics(const QFont& font, QPaintDevice* device)
{
    const QFontMetricsF fm(font, device);
    return {fm.horizontalAdvance(QString(80, u'M')) / 80.0, fm.height()};
}

PainterSurface::PainterSurface(QPainter& painter, const QFont& font, const QRectF& area,
                               NewPage newPage)
    : m_painter(painter)
    , m_regular(font)
    , m_bold(font)
    , m_area(area)
    , m_newPage(std::move(newPage))
{
    m_bold.setBold(true);
    std::tie(m_pitch, m_lineHeight) = metrics(font, painter.device());
    m_ascent = QFontMetricsF(font, painter.device()).ascent();
    m_linesPerPage = std::max(1, static_cast<int>(area.height() / m_lineHeight));
    m_painter.setFont(m_regular);
}

void PainterSurface::drawText(int line, int column, const QString& text, bool bold)
{
    int row = line;
    if (m_newPage) {
        for (; m_page < line / m_linesPerPage; ++m_page)
            m_newPage();
        row = line % m_linesPerPage;
    }
    if (bold != m_boldSet) {
        m_painter.setFont(bold ? m_bold : m_regular);
        m_boldSet = bold;
    }
    m_painter.drawText(QPointF(m_area.left() + (column - 1) * m_pitch,
                               m_area.top() + row * m_lineHeight + m_ascent),
                       text);
}

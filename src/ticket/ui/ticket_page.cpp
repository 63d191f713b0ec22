#include "ticket/ui/ticket_page.h"

#include "ticket/ui/painter_surface.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The page keeps the proportions of a letter sheet, or grows with a longer
// ticket.
constexpr double PageHeightPerWidth = 11.0 / 8.5;

// Draws one grid line as runs of equal boldness; blank runs are skipped.
void replayLine(const TextGridSurface::Line& line, TicketSurface& surface)
{
    const qsizetype length = line.text.size();
    qsizetype start = 0;
    while (start < length) {
        const bool bold = line.bold[start] == u'B';
        qsizetype end = start + 1;
        while (end < length && (line.bold[end] == u'B') == bold)
            ++end;
        const QString run = line.text.mid(start, end - start);
        if (!run.trimmed().isEmpty()) {
            surface.setBold(bold);
            surface.writeAt(static_cast<int>(start) + 1, run, TicketSurface::Then::Continue);
        }
        start = end;
    }
    surface.endLine();
}

} // namespace

TicketPage::TicketPage(const QFont& font, QWidget* parent)
    : QWidget(parent)
    , m_font(font)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    std::tie(m_pitch, m_lineHeight) = PainterSurface::metrics(m_font, this);
}

void TicketPage::setTicket(const TextGridSurface& ticket)
{
    m_lines = ticket.lines();
    while (m_lines.size() < ticket.lineCount())
        m_lines.append(TextGridSurface::Line());
    resize(sizeHint());
    update();
}

double TicketPage::margin() const
{
    return logicalDpiX() / 2.0;
}

QPointF TicketPage::origin() const
{
    return {margin(), margin()};
}

QSize TicketPage::sizeHint() const
{
    qsizetype columns = TextGridSurface::Columns;
    for (const auto& line : m_lines)
        columns = std::max(columns, line.text.size());
    const double width = 2 * margin() + static_cast<double>(columns) * m_pitch;
    const double height =
        std::max(width * PageHeightPerWidth,
                 2 * margin() + static_cast<double>(m_lines.size()) * m_lineHeight);
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))};
}

void TicketPage::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    painter.setPen(Qt::black);

    const QRectF area(origin(), QSizeF(width() - 2 * margin(), height() - 2 * margin()));
    PainterSurface surface(painter, m_font, area);
    // Only the lines the event uncovers are drawn again.
    const int first =
        std::max(0, static_cast<int>((event->rect().top() - area.top()) / m_lineHeight) - 1);
    const int last =
        std::min(static_cast<int>(m_lines.size()) - 1,
                 static_cast<int>((event->rect().bottom() - area.top()) / m_lineHeight) + 1);
    for (int i = 0; i < first; ++i)
        surface.endLine();
    for (int i = first; i <= last; ++i)
        replayLine(m_lines[i], surface);
}

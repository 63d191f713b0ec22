#include "ticket/ticket_surface.h"

#include <algorithm>

void TicketSurface::write(const QString& text, Then then)
{
    if (!text.isEmpty()) {
        drawText(m_line, m_column, text, m_bold);
        m_column += static_cast<int>(text.size());
    }
    if (then == Then::EndLine)
        endLine();
}

void TicketSurface::writeAt(int column, const QString& text, Then then)
{
    column = std::max(column, 1);
    if (m_column > column)
        ++m_line;
    m_column = column;
    write(text, then);
}

void TicketSurface::endLine()
{
    ++m_line;
    m_column = 1;
}

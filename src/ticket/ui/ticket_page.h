#pragma once

#include "ticket/text_grid_surface.h"

#include <QFont>
#include <QWidget>

// The preview's sheet of paper: a white page with margins on which the
// composed ticket is drawn. It keeps the ticket's text, so covering,
// uncovering and resizing redraw it without composing it again; its size is
// the page's, so a scroll area around it scrolls a ticket taller than the
// window.
class TicketPage : public QWidget
{
    Q_OBJECT

public:
    explicit TicketPage(const QFont& font, QWidget* parent = nullptr);

    // Takes the ticket as composed on a text grid.
    void setTicket(const TextGridSurface& ticket);

    const QList<TextGridSurface::Line>& lines() const { return m_lines; }
    int lineCount() const { return static_cast<int>(m_lines.size()); }

    QSize sizeHint() const override;

    // Where column 1 of the first line starts, in the page's coordinates.
    QPointF origin() const;
    double pitch() const { return m_pitch; }
    double lineHeight() const { return m_lineHeight; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double margin() const;

    QFont m_font;
    QList<TextGridSurface::Line> m_lines;
    double m_pitch = 0;
    double m_lineHeight = 0;
};

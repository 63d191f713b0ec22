#pragma once

#include "ticket/ticket_surface.h"

#include <QStringList>

// A surface that keeps the ticket as text: each line as its characters
// (at least 80 columns, more when a text runs past the right edge) and a
// mask of the characters written in bold. The preview draws from it, and
// the tests compare tickets with it.
class TextGridSurface : public TicketSurface
{
public:
    static constexpr int Columns = 80;

    struct Line
    {
        QString text; // unwritten columns are blanks
        QString bold; // 'B' under each character written in bold, else blank
    };

    const QList<Line>& lines() const { return m_lines; }

    // Every line ended or written so far, the current one included when
    // anything stands on it.
    int lineCount() const;

    // The lines' texts with trailing blanks removed.
    QStringList texts() const;
    // For each line: its bold characters where they stand, blanks elsewhere,
    // trailing blanks removed.
    QStringList boldTexts() const;

protected:
    void drawText(int line, int column, const QString& text, bool bold) override;

private:
    Line& lineAt(int line);

    QList<Line> m_lines;
};

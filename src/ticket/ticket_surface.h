#pragma once

#include <QString>

// What a ticket is written on: 80 columns of fixed-pitch text, line by line,
// columns counted from 1 at the left edge. The preview window, the printer
// and the tests' text grid are all surfaces; the composition sees nothing
// else.
//
// The surface keeps the current position itself, so that every realisation
// moves alike: a text written at column n lands on the current line when the
// position is at or before n, and on the next line otherwise.
class TicketSurface
{
public:
    enum class Then { Continue, EndLine };

    virtual ~TicketSurface() = default;

    // Stays in force for everything written afterwards.
    void setBold(bool on) { m_bold = on; }
    bool bold() const { return m_bold; }

    // Writes at the current position.
    void write(const QString& text, Then then = Then::EndLine);

    // Writes at column `column` (a column below 1 counts as 1); when the
    // current position is already past it, at that column of the next line.
    void writeAt(int column, const QString& text, Then then = Then::EndLine);

    // Ends the line; a blank line when nothing was written on it.
    void endLine();

    // 0 for the first line.
    int line() const { return m_line; }
    // Where the next text goes, 1 for the left edge.
    int column() const { return m_column; }

protected:
    // Draws `text` at `column` of `line`, both counted as above (line from 0).
    virtual void drawText(int line, int column, const QString& text, bool bold) = 0;

private:
    int m_line = 0;
    int m_column = 1;
    bool m_bold = false;
};

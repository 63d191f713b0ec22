#include "ticket/text_grid_surface.h"

namespace {

QString withoutTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return text.left(end);
}

} // namespace

int TextGridSurface::lineCount() const
{
    return std::max(line() + (column() > 1 ? 1 : 0), static_cast<int>(m_lines.size()));
}

QStringList TextGridSurface::texts() const
{
    QStringList texts;
    for (int i = 0; i < lineCount(); ++i)
        texts.append(i < m_lines.size() ? withoutTrailingBlanks(m_lines[i].text) : QString());
    return texts;
}

QStringList TextGridSurface::boldTexts() const
{
    QStringList texts;
    for (int i = 0; i < lineCount(); ++i) {
        QString shown;
        if (i < m_lines.size()) {
            const Line& line = m_lines[i];
            shown = line.text;
            for (qsizetype c = 0; c < shown.size(); ++c) {
                if (line.bold[c] != u'B')
                    shown[c] = u' ';
            }
        }
        texts.append(withoutTrailingBlanks(shown));
    }
    return texts;
}

void TextGridSurface::drawText(int line, int column, const QString& text, bool bold)
{
    Line& target = lineAt(line);
    const qsizetype start = column - 1;
    const qsizetype end = start + text.size();
    if (target.text.size() < end) {
        target.text.resize(end, u' ');
        target.bold.resize(end, u' ');
    }
    target.text.replace(start, text.size(), text);
    target.bold.replace(start, text.size(), QString(text.size(), bold ? u'B' : u' '));
}

TextGridSurface::Line& TextGridSurface::lineAt(int line)
{
    while (m_lines.size() <= line)
        m_lines.append({QString(Columns, u' '), QString(Columns, u' ')});
    return m_lines[line];
}

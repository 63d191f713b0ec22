#include "common/field_reader.h"

#include "common/text_file.h"

#include "common/runtime_error.h"
#include "common/windows1252.h"

#include <utility>

namespace {

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Moves `pos` past the line end that starts there (CR LF counts as one).
qsizetype skipLineEnd(const QByteArray& data, qsizetype pos)
{
    if (data[pos] == '\r' && pos + 1 < data.size() && data[pos + 1] == '\n')
        return pos + 2;
    return pos + 1;
}

} // namespace

DelimitedFieldReader::DelimitedFieldReader(QByteArray data)
    : m_data(std::move(data))
{
}

bool DelimitedFieldReader::atEnd() const
{
    return m_pos >= m_data.size();
}

QString DelimitedFieldReader::read()
{
    if (atEnd())
        throw RuntimeError(ErrorCode::InputPastEndOfFile);

    const qsizetype size = m_data.size();
    while (m_pos < size && (m_data[m_pos] == ' ' || m_data[m_pos] == '\t'))
        ++m_pos;

    QByteArray value;
    if (m_pos < size && m_data[m_pos] == '"') {
        const qsizetype start = m_pos + 1;
        qsizetype close = m_data.indexOf('"', start);
        if (close < 0)
            close = size;
        value = m_data.mid(start, close - start);
        m_pos = close + 1;
        while (m_pos < size && m_data[m_pos] != ',' && !isLineEnd(m_data[m_pos]))
            ++m_pos;
    } else {
        const qsizetype start = m_pos;
        while (m_pos < size && m_data[m_pos] != ',' && !isLineEnd(m_data[m_pos]))
            ++m_pos;
        value = m_data.mid(start, m_pos - start);
    }

    if (m_pos < size)
        m_pos = m_data[m_pos] == ',' ? m_pos + 1 : skipLineEnd(m_data, m_pos);
    else
        m_pos = size;
    return fromWindows1252(value);
}

LineReader::LineReader(QByteArray data)
    : m_data(std::move(data))
{
}

bool LineReader::atEnd() const
{
    return m_pos >= m_data.size();
}

QString LineReader::readLine()
{
    if (atEnd())
        throw RuntimeError(ErrorCode::InputPastEndOfFile);

    qsizetype end = m_data.indexOf('\r', m_pos);
    if (end < 0)
        end = m_data.size();
    const QString line = fromWindows1252(QByteArrayView(m_data).sliced(m_pos, end - m_pos));
    m_pos = end < m_data.size() ? skipLineEnd(m_data, end) : end;
    return line;
}

Result<QStringList> readLeadingLines(const QString& path, int count)
{
    return attempt([&] {
        LineReader lines(readFileBytes(path));
        QStringList read;
        while (read.size() < count && !lines.atEnd())
            read.append(lines.readLine());
        return read;
    });
}

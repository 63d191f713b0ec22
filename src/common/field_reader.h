#pragma once

// The two ways settings files are read, over a file's bytes held in memory.
// Values are decoded from Windows-1252. Reading past the end of the data
// throws RuntimeError(ErrorCode::InputPastEndOfFile), as the callers'
// failure handling expects.

#include "common/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Delimited-field reading: the data-folder file and the option files.
// Each read yields one value:
// - leading blanks (spaces and tabs) are skipped;
// - a value that begins with a double quote is the text up to the closing
//   quote (line ends included; without a closing quote, up to the end of the
//   data); whatever follows it up to the next comma or line end is skipped;
// - any other value is the text up to the first comma or line end, blanks
//   inside and at its end kept;
// - an empty line yields an empty value.
// A line end is CR LF, CR alone or LF alone; the comma or line end that ends
// a value is not part of it, and the next read starts after it.
class DelimitedFieldReader
{
public:
    explicit DelimitedFieldReader(QByteArray data);

    // The next value; throws InputPastEndOfFile when no data is left.
    QString read();

    // True when every byte has been consumed.
    bool atEnd() const;

private:
    QByteArray m_data;
    qsizetype m_pos = 0;
};

// Whole-line reading: the other settings files and the comment file.
// A line ends at CR or CR LF; a lone LF is an ordinary character of the
// line. The terminator is not part of the value. A last line without a
// terminator is still a line; an empty file has no lines.
class LineReader
{
public:
    explicit LineReader(QByteArray data);

    // The next line; throws InputPastEndOfFile when no data is left.
    QString readLine();

    // True when every byte has been consumed.
    bool atEnd() const;

private:
    QByteArray m_data;
    qsizetype m_pos = 0;
};

// The first `count` lines of the file at `path` (all of them when it has
// fewer); fails as readFileBytes() does (common/text_file.h).
Result<QStringList> readLeadingLines(const QString& path, int count);

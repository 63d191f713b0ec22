#pragma once

// Windows-1252, the single-byte code page of every settings file and of the
// comment file. Qt's own converters do not offer it, hence this table.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Every byte decodes to one character. 0x00-0x7F and 0xA0-0xFF are the
// characters of the same number; 0x80-0x9F follow the code page's table
// (0x80 is the euro sign), and its five unassigned bytes 0x81, 0x8D, 0x8F,
// 0x90 and 0x9D decode to U+0081, U+008D, U+008F, U+0090 and U+009D so that
// any byte string survives decoding and encoding unchanged.
QString fromWindows1252(QByteArrayView bytes);

// The inverse of fromWindows1252; a character the code page cannot hold
// (one outside the table, including a character beyond the basic plane or a
// stray surrogate) becomes one "?".
QByteArray toWindows1252(QStringView text);

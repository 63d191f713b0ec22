#include "settings/margins_file.h"

#include "common/field_reader.h"
#include "common/numeric.h"
#include "common/runtime_error.h"
#include "common/settings_folder.h"
#include "common/text_file.h"

#include <cmath>

namespace {

constexpr int kLineCount = 10;
constexpr int kLinesReadByTheWindow = 5;

QString marginsPath()
{
    return settingsFilePath(QString::fromLatin1(MarginsFileName));
}

} // namespace

Margins readMargins()
{
    LineReader lines(readFileBytes(marginsPath()));
    Margins margins;
    margins.topMargin = wholeNumberOf(lines.readLine());
    margins.totalLines = wholeNumberOf(lines.readLine());
    for (int n = 3; n <= kLinesReadByTheWindow; ++n)
        lines.readLine();
    return margins;
}

std::int16_t readTopMargin()
{
    try {
        LineReader lines(readFileBytes(marginsPath()));
        return wholeNumberOf(lines.readLine());
    } catch (const RuntimeError&) {
        return 0;
    }
}

void saveMargins(const QString& topMargin, const QString& totalLines)
{
    QStringList values(kLineCount);
    try {
        LineReader lines(readFileBytes(marginsPath()));
        for (int n = 0; n < kLineCount && !lines.atEnd(); ++n)
            values[n] = lines.readLine();
    } catch (const RuntimeError&) {
        // A missing or unreadable file leaves the remaining lines empty.
    }
    values[0] = topMargin;
    values[1] = totalLines;
    rewriteFile(marginsPath(), joinLines(values));
}

QString pageHeightText(double totalLines)
{
    constexpr double kLinesPerInch = 6;
    const double tenths = std::round(totalLines / kLinesPerInch * 10);
    QString text = QString::number(std::abs(tenths) / 10, 'f', 1);
    if (text.startsWith(u'0'))
        text.remove(0, 1);
    if (text.endsWith(u'0'))
        text.chop(1);
    return tenths < 0 ? u'-' + text : text;
}

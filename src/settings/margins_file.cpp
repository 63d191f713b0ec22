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

QString marginsPath(const QString& settingsFolder)
{
    return resolveFileName(settingsFolder, QString::fromLatin1(MarginsFileName));
}

} // namespace

Result<Margins> readMargins(const QString& settingsFolder)
{
    return attempt([&] {
        LineReader lines(readFileBytes(marginsPath(settingsFolder)));
        Margins margins;
        margins.topMargin = wholeNumberOf(lines.readLine());
        margins.totalLines = wholeNumberOf(lines.readLine());
        for (int n = 3; n <= kLinesReadByTheWindow; ++n)
            lines.readLine();
        return margins;
    });
}

Result<std::int16_t> readTopMargin(const QString& settingsFolder)
{
    return attempt([&] {
        LineReader lines(readFileBytes(marginsPath(settingsFolder)));
        return wholeNumberOf(lines.readLine());
    });
}

Result<void> saveMargins(const QString& settingsFolder, const QString& topMargin,
                         const QString& totalLines)
{
    const QString path = marginsPath(settingsFolder);
    // A missing or unreadable file leaves the lines after the first two empty.
    QStringList values = readLeadingLines(path, kLineCount).valueOr({});
    values.resize(kLineCount);
    values[0] = topMargin;
    values[1] = totalLines;
    return attempt([&] { rewriteFile(path, joinLines(values)); });
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

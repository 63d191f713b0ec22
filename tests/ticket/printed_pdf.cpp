#include "printed_pdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

QString runTool(const QString& tool, const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        ADD_FAILURE() << tool.toStdString() << " is missing: install poppler-utils";
        return {};
    }
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString unescaped(QString text)
{
    for (const auto& [entity, character] :
         {std::pair{"&apos;", "'"}, std::pair{"&quot;", "\""}, std::pair{"&lt;", "<"},
          std::pair{"&gt;", ">"}, std::pair{"&amp;", "&"}})
        text.replace(QString::fromLatin1(entity), QString::fromLatin1(character));
    return text;
}

} // namespace

QList<PdfWord> pdfWords(const QString& pdf)
{
    const QString html = runTool(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"});
    static const QRegularExpression element(
        R"re(<page |<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re");
    QList<PdfWord> words;
    int page = -1;
    for (auto it = element.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        if (match.captured(0) == QStringLiteral("<page ")) {
            ++page;
            continue;
        }
        words.append({page, match.captured(1).toDouble(), match.captured(2).toDouble(),
                      match.captured(3).toDouble(), match.captured(4).toDouble(),
                      unescaped(match.captured(5))});
    }
    return words;
}

QList<PdfFont> pdfFonts(const QString& pdf)
{
    const QStringList lines = runTool(QStringLiteral("pdffonts"), {pdf}).split(u'\n');
    QList<PdfFont> fonts;
    // After the two heading lines: name, type..., then "emb sub uni" as yes/no.
    static const QRegularExpression row(
        R"(^(\S+)\s.*\s(yes|no)\s+(yes|no)\s+(yes|no)\s+\d+\s+\d+\s*$)");
    for (const QString& line : lines.mid(2)) {
        const auto match = row.match(line);
        if (match.hasMatch())
            fonts.append({match.captured(1), match.captured(2) == QStringLiteral("yes")});
    }
    return fonts;
}

#include "orderdb/mdb_export.h"

#include <QProcess>

#include <gtest/gtest.h>

std::vector<ExportedRow> exportWithMdbExport(const QString& databaseFile, const QString& table)
{
    // Delimiters no test text contains, so commas, quotes, tabs and line
    // breaks inside values stay unambiguous.
    const QString column = QStringLiteral("<|col|>");
    const QString row = QStringLiteral("<|row|>");
    const QString null = QStringLiteral("<|null|>");

    QProcess process;
    process.start(QStringLiteral("mdb-export"),
                  {"-H", "-Q", "-d", column, "-R", row, "-0", null, databaseFile, table});
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();

    std::vector<ExportedRow> rows;
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString& line : text.split(row, Qt::SkipEmptyParts)) {
        ExportedRow values;
        for (const QString& value : line.split(column))
            values.push_back(value == null ? std::nullopt : std::optional<QString>(value));
        rows.push_back(values);
    }
    return rows;
}

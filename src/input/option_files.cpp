#include "input/option_files.h"

#include "common/field_reader.h"
#include "common/numeric.h"
#include "common/runtime_error.h"
#include "common/settings_folder.h"
#include "common/text_file.h"

namespace {

// The first delimited field of an option file.
QString readFirstField(const QString& fileName)
{
    DelimitedFieldReader reader(readFileBytes(settingsFilePath(fileName)));
    return reader.read();
}

std::optional<QString> tryReadFirstField(const QString& fileName)
{
    try {
        return readFirstField(fileName);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

void writeLine(const QString& fileName, const QString& line)
{
    rewriteFile(settingsFilePath(fileName), joinLines({line}));
}

} // namespace

JobFilter readListFilter()
{
    const std::optional<QString> value = tryReadFirstField(QString::fromLatin1(ListFilterFile));
    if (value == QStringLiteral("2"))
        return JobFilter::Invoiced;
    if (value == QStringLiteral("3"))
        return JobFilter::NonInvoiced;
    return JobFilter::All;
}

bool readLoadJobs()
{
    return tryReadFirstField(QString::fromLatin1(LoadJobsFile)) != QStringLiteral("F");
}

std::optional<int> readCheckState(const QString& fileName)
{
    try {
        readFileBytes(settingsFilePath(fileName));
    } catch (const RuntimeError&) {
        // The default is written as bare text, unlike the click handlers'
        // numeric form; both read alike.
        try {
            writeLine(fileName, QStringLiteral("0"));
        } catch (const RuntimeError&) {
        }
    }
    const std::optional<QString> value = tryReadFirstField(fileName);
    if (!value)
        return std::nullopt;
    try {
        return wholeNumber(numericValue(*value));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

void writeListFilter(JobFilter filter)
{
    writeLine(QString::fromLatin1(ListFilterFile), QString::number(static_cast<int>(filter)));
}

void writeLoadJobs(bool loadJobs)
{
    writeLine(QString::fromLatin1(LoadJobsFile),
              loadJobs ? QStringLiteral("T") : QStringLiteral("F"));
}

void writeCheckState(const QString& fileName, int state)
{
    writeLine(fileName, numericPrintForm(state));
}

#include "input/option_files.h"

#include "common/field_reader.h"
#include "common/numeric.h"
#include "common/runtime_error.h"
#include "common/settings_folder.h"
#include "common/text_file.h"

namespace {

// The first delimited field of an option file.
Result<QString> readFirstField(const QString& fileName)
{
    return attempt([&] {
        DelimitedFieldReader reader(readFileBytes(settingsFilePath(fileName)));
        return reader.read();
    });
}

Result<void> writeLine(const QString& fileName, const QString& line)
{
    return attempt([&] { rewriteFile(settingsFilePath(fileName), joinLines({line})); });
}

} // namespace

JobFilter readListFilter()
{
    const QString value = readFirstField(QString::fromLatin1(ListFilterFile)).valueOr({});
    if (value == QStringLiteral("2"))
        return JobFilter::Invoiced;
    if (value == QStringLiteral("3"))
        return JobFilter::NonInvoiced;
    return JobFilter::All;
}

bool readLoadJobs()
{
    return readFirstField(QString::fromLatin1(LoadJobsFile)).valueOr({}) != QStringLiteral("F");
}

std::optional<int> readCheckState(const QString& fileName)
{
    if (!attempt([&] { readFileBytes(settingsFilePath(fileName)); })) {
        // The default is written as bare text, unlike the click handlers'
        // numeric form; both read alike. A default that cannot be written
        // leaves the file as unreadable as it was.
        if (!writeLine(fileName, QStringLiteral("0")))
            return std::nullopt;
    }
    const Result<QString> value = readFirstField(fileName);
    if (!value)
        return std::nullopt;
    const Result<std::int16_t> state = attempt([&] { return wholeNumber(numericValue(*value)); });
    if (!state)
        return std::nullopt;
    return *state;
}

Result<void> writeListFilter(JobFilter filter)
{
    return writeLine(QString::fromLatin1(ListFilterFile),
                     QString::number(static_cast<int>(filter)));
}

Result<void> writeLoadJobs(bool loadJobs)
{
    return writeLine(QString::fromLatin1(LoadJobsFile),
                     loadJobs ? QStringLiteral("T") : QStringLiteral("F"));
}

Result<void> writeCheckState(const QString& fileName, int state)
{
    return writeLine(fileName, numericPrintForm(state));
}

#include "input/option_files.h"

#include "common/field_reader.h"
#include "common/numeric.h"
#include "common/runtime_error.h"
#include "common/settings_folder.h"
#include "common/text_file.h"

namespace {

// The first delimited field of an option file.
Result<QString> readFirstField(const QString& settingsFolder, const QString& fileName)
{
    return attempt([&] {
        DelimitedFieldReader reader(readFileBytes(resolveFileName(settingsFolder, fileName)));
        return reader.read();
    });
}

Result<void> writeLine(const QString& settingsFolder, const QString& fileName, const QString& line)
{
    return attempt(
        [&] { rewriteFile(resolveFileName(settingsFolder, fileName), joinLines({line})); });
}

} // namespace

JobFilter readListFilter(const QString& settingsFolder)
{
    const QString value =
        readFirstField(settingsFolder, QString::fromLatin1(ListFilterFile)).valueOr({});
    if (value == QStringLiteral("2"))
        return JobFilter::Invoiced;
    if (value == QStringLiteral("3"))
        return JobFilter::NonInvoiced;
    return JobFilter::All;
}

bool readLoadJobs(const QString& settingsFolder)
{
    const QString stored =
        readFirstField(settingsFolder, QString::fromLatin1(LoadJobsFile)).valueOr({});
    return stored != QStringLiteral("F");
}

std::optional<int> readCheckState(const QString& settingsFolder, const QString& fileName)
{
    if (!attempt([&] { readFileBytes(resolveFileName(settingsFolder, fileName)); })) {
        // The default is written as bare text, unlike the click handlers'
        // numeric form; both read alike. A default that cannot be written
        // leaves the file as unreadable as it was.
        if (!writeLine(settingsFolder, fileName, QStringLiteral("0")))
            return std::nullopt;
    }
    const Result<QString> value = readFirstField(settingsFolder, fileName);
    if (!value)
        return std::nullopt;
    const Result<std::int16_t> state = attempt([&] { return wholeNumber(numericValue(*value)); });
    if (!state)
        return std::nullopt;
    return *state;
}

Result<void> writeListFilter(const QString& settingsFolder, JobFilter filter)
{
    return writeLine(settingsFolder, QString::fromLatin1(ListFilterFile),
                     QString::number(static_cast<int>(filter)));
}

Result<void> writeLoadJobs(const QString& settingsFolder, bool loadJobs)
{
    return writeLine(settingsFolder, QString::fromLatin1(LoadJobsFile),
                     loadJobs ? QStringLiteral("T") : QStringLiteral("F"));
}

Result<void> writeCheckState(const QString& settingsFolder, const QString& fileName, int state)
{
    return writeLine(settingsFolder, fileName, numericPrintForm(state));
}

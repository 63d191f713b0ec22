#include "settings/owner_record_file.h"

#include "common/runtime_error.h"
#include "common/settings_folder.h"
#include "common/text_file.h"
#include "common/windows1252.h"

#include <QFileInfo>

#include <array>

namespace {

struct Field
{
    QString OwnerRecord::*member;
    int width;
};

constexpr std::array<Field, 5> kFields{{
    {&OwnerRecord::name, OwnerRecord::NameWidth},
    {&OwnerRecord::address, OwnerRecord::AddressWidth},
    {&OwnerRecord::cityStateZip, OwnerRecord::CityStateZipWidth},
    {&OwnerRecord::phone, OwnerRecord::PhoneWidth},
    {&OwnerRecord::comment, OwnerRecord::CommentWidth},
}};

// Only blanks are padding; a tab typed into a box is kept.
QString trimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

std::optional<OwnerRecord> readOwnerRecord(const QString& settingsFolder)
{
    const QString path = resolveFileName(settingsFolder, QString::fromLatin1(OwnerRecordFileName));
    if (!holdsData(path))
        return std::nullopt;

    // Only the record is read, however long the file.
    const Result<QByteArray> read =
        attempt([&] { return readFileBytesUpTo(path, OwnerRecord::Length).bytes; });
    if (!read)
        return std::nullopt;
    const QByteArray& bytes = *read;
    OwnerRecord record;
    qsizetype offset = 0;
    for (const Field& field : kFields) {
        record.*field.member = trimBlanks(fromWindows1252(bytes.mid(offset, field.width)));
        offset += field.width;
    }
    return record;
}

Result<void> writeOwnerRecord(const QString& settingsFolder, const OwnerRecord& record)
{
    QByteArray bytes;
    for (const Field& field : kFields) {
        // Cut by characters first: every character becomes one byte.
        bytes += toWindows1252(QStringView(record.*field.member).left(field.width))
                     .leftJustified(field.width, ' ');
    }

    const QString path =
        resolveFileName(settingsFolder, QString::fromLatin1(OwnerRecordFileWriteName));
    // Whatever lies beyond the record stays, copied a piece at a time however
    // long it is; a file that exists but cannot be read must not be replaced
    // by one without its tail.
    const bool keepTail = QFileInfo::exists(path);
    return attempt([&] {
        rewriteFileFrom(path, [&](const ByteSink& write) {
            write(bytes);
            if (keepTail)
                readFileInPieces(path, OwnerRecord::Length, write);
        });
    });
}

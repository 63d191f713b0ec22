// Fuzzes every reader of the settings files and of the comment file, and
// the writers that keep part of what they read, with whole files: the
// first input byte chooses the format (its place in `formats`, modulo their
// count), the rest is the file, written where the program looks for it.
// Whatever the bytes, nothing crashes or hangs, and what a writer writes
// back reads back as meant. A run-time error is one of the answers a reader
// may give; anything else thrown ends the run as a finding.
//
// With SETTINGS_SEEDS=<folder> in its environment the target writes its
// seeds there instead: for each format one of the odd shapes the tests read
// (commas and quotes, a CR alone, a last line without its end, bytes after
// a record, a number out of range), and what the program's own writer makes
// of it.

#include "common/session.h"
#include "common/settings_folder.h"
#include "common/text_file.h"
#include "input/option_files.h"
#include "settings/comments_file.h"
#include "settings/data_folder_file.h"
#include "settings/delivery_header_file.h"
#include "settings/margins_file.h"
#include "settings/owner_record_file.h"
#include "settings/shared_comments.h"
#include "settings/signature_option_file.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <iterator>

namespace {

// The settings folder: in memory where there is such a file system, as
// every input is written, and settings files are synced on each rewrite.
const QTemporaryDir& folder()
{
    static const QTemporaryDir dir((QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                        ? QStringLiteral("/dev/shm")
                                        : QDir::tempPath()) +
                                   QStringLiteral("/settings-fuzz-XXXXXX"));
    return dir;
}

const QString& settings()
{
    static const QString path = folder().path();
    return path;
}

void check(bool holds)
{
    if (!holds)
        __builtin_trap();
}

void writeSetting(const char* name, const QByteArray& bytes)
{
    rewriteFile(folder().filePath(QString::fromLatin1(name)), bytes);
}

void dataFolderFile(const QByteArray& file)
{
    writeSetting(DataFolderFileName, file);
    readDataFolderFile(settings());
    check(!readDataFolderFirstLine(settings()).dataFolder.value_or(QString()).contains(u'\r'));
}

void optionFiles(const QByteArray& file)
{
    for (const char* name : {ListFilterFile, LoadJobsFile, CommentsShownFile, JobNumbersFile})
        writeSetting(name, file);
    const JobFilter filter = readListFilter(settings());
    readLoadJobs(settings());
    readCheckState(settings(), QString::fromLatin1(CommentsShownFile));
    check(static_cast<bool>(writeListFilter(settings(), filter)));
    check(readListFilter(settings()) == filter);
}

// Written back, every line but the spacer reads back as it was read.
void deliveryHeader(const QByteArray& file)
{
    writeSetting(DeliveryHeaderFileName, file);
    const std::optional<DeliveryHeader> header = readDeliveryHeader(settings());
    if (!header)
        return;
    check(static_cast<bool>(writeDeliveryHeader(settings(), *header)));
    const std::optional<DeliveryHeader> again = readDeliveryHeader(settings());
    check(again.has_value());
    for (int n = 1; n <= DeliveryHeader::SlotCount; ++n) {
        check(again->slot(n) ==
              (n == DeliveryHeader::SpacerSlot ? QStringLiteral("    ") : header->slot(n)));
    }
}

// Written back, the record reads back as read and the bytes after it stay.
void ownerRecord(const QByteArray& file)
{
    writeSetting(OwnerRecordFileName, file);
    const auto fields = [](const std::optional<OwnerRecord>& r) {
        return r ? QStringList{r->name, r->address, r->cityStateZip, r->phone, r->comment}
                 : QStringList{};
    };
    const std::optional<OwnerRecord> record = readOwnerRecord(settings());
    if (!record)
        return;
    check(static_cast<bool>(writeOwnerRecord(settings(), *record)));
    check(fields(readOwnerRecord(settings())) == fields(record));
    const QByteArray written =
        readFileBytes(resolveFileName(settings(), QString::fromLatin1(OwnerRecordFileName)));
    check(written.size() >= OwnerRecord::Length &&
          written.mid(OwnerRecord::Length) == file.mid(OwnerRecord::Length));
}

void margins(const QByteArray& file)
{
    writeSetting(MarginsFileName, file);
    [[maybe_unused]] const Result<Margins> read = readMargins(settings());
    [[maybe_unused]] const Result<std::int16_t> topMargin = readTopMargin(settings());
    check(static_cast<bool>(saveMargins(settings(), QStringLiteral("1"), QStringLiteral(" 2 "))));
    const Result<Margins> saved = readMargins(settings());
    check(saved && saved->topMargin == 1 && saved->totalLines == 2);
}

void signatureOption(const QByteArray& file)
{
    writeSetting(SignatureOptionFileName, file);
    [[maybe_unused]] const Result<std::int16_t> read = readSignatureOption(settings());
    check(static_cast<bool>(writeSignatureOption(settings(), 1)));
    check(readSignatureOption(settings()).valueOr(0) == 1);
}

// Erasing the first line and leaving removes that line alone; a line not
// yet listed is posted and ends the file whole. (A file past a bound is not
// compared: what lies beyond it was never listed.)
void comments(const QByteArray& file)
{
    Session session;
    session.dataFolder = folder().path();
    const QString path = session.dataFolder + QStringLiteral("/Comments.Dat");
    rewriteFile(path, file);
    const Result<CommentsRead> read = readCommentsUnreported(session.dataFolder);
    SharedComments window(session, std::chrono::milliseconds(0));
    check(static_cast<bool>(read) && static_cast<bool>(window.load()));
    if (!read->lines.isEmpty()) {
        check(window.erase(read->lines.first()));
        check(static_cast<bool>(window.leave()));
        if (!read->cut)
            check(window.fileLines() == read->lines.mid(1));
    }
    const QString posted = QStringLiteral("Posted by the fuzzer");
    const bool listed = window.listedLines().contains(posted);
    const Result<SharedComments::Posting> posting = window.post(posted);
    check(posting && (*posting == SharedComments::Posting::Duplicate) == listed);
    if (!listed) {
        check(readFileBytes(path).endsWith("\r\n"));
        check(read->cut || window.fileLines().last() == posted);
    }
    check(!QFileInfo::exists(SharedComments::lockFilePath(session.dataFolder)));
}

using Format = void (*)(const QByteArray&);
constexpr Format formats[] = {dataFolderFile, optionFiles,     deliveryHeader, ownerRecord,
                              margins,        signatureOption, comments};

// For each format the odd file the tests read, and the file the program's
// own writer leaves after reading it.
bool writeSeeds(const QDir& seeds)
{
    const std::pair<const char*, QByteArray> oddFiles[] = {
        // in the order of formats
        {DataFolderFileName, "\"/srv/Shop, Main/Data\"\r\nE:\\Shop, Main\\Est\r\n"},
        {ListFilterFile, "2"},
        {DeliveryHeaderFileName, "a\rb\nc\r\nlast\x80 Caf\xe9"},
        {OwnerRecordFileName, QByteArray(125, 'x') + QByteArray("TAIL\0\1\r\n", 8)},
        {MarginsFileName, "40000\r\n65.5\r\n\r\n\r\n"},
        {SignatureOptionFileName, "  1.5 , 0"},
        {CommentsFileName, "Rush\r\nRush\r\n\r\nlast\rno end\n"}};
    bool allWritten = true;
    for (std::size_t n = 0; n < std::size(formats); ++n) {
        const QString name = QString::fromLatin1(oddFiles[n].first);
        formats[n](oddFiles[n].second);
        for (const auto& [seed, file] :
             {std::pair(name, readFileBytes(resolveFileName(settings(), name))),
              std::pair(name + QStringLiteral(".odd"), oddFiles[n].second)}) {
            QFile out(seeds.filePath(seed));
            allWritten = out.open(QIODevice::WriteOnly) &&
                         out.write(static_cast<char>(n) + file) == file.size() + 1 && allWritten;
        }
    }
    return allWritten;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
    if (const char* seeds = std::getenv("SETTINGS_SEEDS"))
        std::exit(writeSeeds(QDir(QString::fromLocal8Bit(seeds))) ? EXIT_SUCCESS : EXIT_FAILURE);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    formats[data[0] % std::size(formats)](
        QByteArray(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1)));
    return 0;
}

// Fuzzes every reader of the settings files and of the comment file, and
// the writers that keep part of what they read, with whole files: the
// first input byte chooses the format (settings_formats.h), the rest is the
// file, written where the program looks for it. Whatever the bytes, nothing
// crashes or hangs, and what a writer writes back reads back as meant.

#include "common/module_values.h"
#include "common/runtime_error.h"
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
#include "settings_formats.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>

namespace {

// The settings folder, with the data folder "data" in it, for the run: in
// memory where there is such a file system, as every input is written,
// and settings files are synced to the disk on each rewrite.
const QTemporaryDir& folders()
{
    static const QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                       ? QStringLiteral("/dev/shm/settings-fuzz-XXXXXX")
                                       : QDir::tempPath() +
                                             QStringLiteral("/settings-fuzz-XXXXXX"));
    static const bool made = [] {
        QDir(dir.path()).mkdir(QStringLiteral("data"));
        setSettingsFolder(dir.path());
        return true;
    }();
    (void)made;
    return dir;
}

void check(bool holds)
{
    if (!holds)
        __builtin_trap();
}

// A file refused with a run-time error is one of the answers a reader may
// give; anything else thrown ends the run as a finding.
template<typename Read>
void refusalAllowed(Read&& read)
{
    try {
        read();
    } catch (const RuntimeError&) {
        return;
    }
}

void writeSetting(const char* name, const QByteArray& bytes)
{
    rewriteFile(folders().filePath(QString::fromLatin1(name)), bytes);
}

void dataFolderFile(const QByteArray& file)
{
    writeSetting(DataFolderFileName, file);
    refusalAllowed([] { readDataFolderFile(); });
    refusalAllowed([] {
        readDataFolderFirstLine();
        check(!DataFolder.contains(u'\r'));
    });
}

void optionFiles(const QByteArray& file)
{
    for (const char* name : {ListFilterFile, LoadJobsFile, CommentsShownFile, JobNumbersFile})
        writeSetting(name, file);
    const JobFilter filter = readListFilter();
    readLoadJobs();
    readCheckState(QString::fromLatin1(CommentsShownFile));
    writeListFilter(filter);
    check(readListFilter() == filter);
}

// Written back, every line but the spacer reads back as it was read.
void deliveryHeader(const QByteArray& file)
{
    writeSetting(DeliveryHeaderFileName, file);
    const std::optional<DeliveryHeader> header = readDeliveryHeader();
    if (!header)
        return;
    writeDeliveryHeader(*header);
    const std::optional<DeliveryHeader> again = readDeliveryHeader();
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
    const std::optional<OwnerRecord> record = readOwnerRecord();
    if (!record)
        return;
    writeOwnerRecord(*record);
    const std::optional<OwnerRecord> again = readOwnerRecord();
    check(again && again->name == record->name && again->address == record->address &&
          again->cityStateZip == record->cityStateZip && again->phone == record->phone &&
          again->comment == record->comment);
    const QByteArray written =
        readFileBytes(settingsFilePath(QString::fromLatin1(OwnerRecordFileName)));
    check(written.size() >= OwnerRecord::Length &&
          written.mid(OwnerRecord::Length) == file.mid(OwnerRecord::Length));
}

void margins(const QByteArray& file)
{
    writeSetting(MarginsFileName, file);
    refusalAllowed([] { readMargins(); });
    readTopMargin();
    saveMargins(QStringLiteral("1"), QStringLiteral(" 2 "));
    const Margins saved = readMargins();
    check(saved.topMargin == 1 && saved.totalLines == 2);
}

void signatureOption(const QByteArray& file)
{
    writeSetting(SignatureOptionFileName, file);
    readSignatureOption();
    writeSignatureOption(1);
    check(readSignatureOption() == 1);
}

// Erasing the first line and leaving removes that line alone; a posted line
// ends the file whole. (A file past a bound is not compared: what lies
// beyond it was never listed.)
void comments(const QByteArray& file)
{
    DataFolder = folders().filePath(QStringLiteral("data"));
    const QString path = DataFolder + QStringLiteral("/Comments.Dat");
    rewriteFile(path, file);
    const CommentsRead read = readCommentsUnreported();
    SharedComments window(std::chrono::milliseconds(0));
    window.load();
    if (!read.lines.isEmpty()) {
        check(window.erase(read.lines.first()));
        window.leave();
        if (!read.cut)
            check(window.fileLines() == read.lines.mid(1));
    }
    const QString posted = QStringLiteral("Posted by the fuzzer");
    const bool listed = window.listedLines().contains(posted);
    const SharedComments::Posting posting = window.post(posted);
    check((posting == SharedComments::Posting::Duplicate) == listed);
    if (!listed && !read.cut)
        check(window.fileLines().last() == posted);
    check(readFileBytes(path).endsWith("\r\n"));
    check(!QFileInfo::exists(SharedComments::lockFilePath()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    folders();
    resetModuleValues();
    const QByteArray file(reinterpret_cast<const char*>(data) + 1,
                          static_cast<qsizetype>(size - 1));
    switch (static_cast<SettingsFormat>(data[0] % static_cast<int>(SettingsFormat::Count))) {
    case SettingsFormat::DataFolderFile:
        dataFolderFile(file);
        break;
    case SettingsFormat::OptionFiles:
        optionFiles(file);
        break;
    case SettingsFormat::DeliveryHeader:
        deliveryHeader(file);
        break;
    case SettingsFormat::OwnerRecord:
        ownerRecord(file);
        break;
    case SettingsFormat::Margins:
        margins(file);
        break;
    case SettingsFormat::SignatureOption:
        signatureOption(file);
        break;
    case SettingsFormat::Comments:
        comments(file);
        break;
    case SettingsFormat::Count:
        break;
    }
    return 0;
}

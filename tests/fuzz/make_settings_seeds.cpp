// Writes seeds for the settings fuzz target: each format's file as the
// program's own writers make it (the bytes the tests check), and the odd
// shapes the tests read: commas and quotes, a CR alone, a last line without
// its end, a record cut short, a number out of range. Each seed is the
// format's byte (settings_formats.h) followed by the file.
//
//   make-settings-seeds <folder>

#include "common/module_values.h"
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
#include <QFile>
#include <QTemporaryDir>

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make-settings-seeds <folder>\n";
        return 2;
    }
    const QDir seeds(QString::fromLocal8Bit(argv[1]));
    const QTemporaryDir settings;
    setSettingsFolder(settings.path());
    QDir(settings.path()).mkdir(QStringLiteral("data"));

    bool allWritten = true;
    const auto seed = [&](SettingsFormat format, const char* name, const QByteArray& file) {
        QFile out(seeds.filePath(QString::fromLatin1(name)));
        allWritten = out.open(QIODevice::WriteOnly) &&
                     out.write(char(format) + file) == file.size() + 1 && allWritten;
    };
    const auto written = [](const char* name) {
        return readFileBytes(settingsFilePath(QString::fromLatin1(name)));
    };

    writeDataFolderFile(QStringLiteral("/srv/oe/data"), QStringLiteral("/srv/est"));
    seed(SettingsFormat::DataFolderFile, "data-folder", written(DataFolderFileWriteName));
    seed(SettingsFormat::DataFolderFile, "data-folder-comma",
         "E:\\Shop, Main\\Data\r\nE:\\Est\r\n");
    seed(SettingsFormat::DataFolderFile, "data-folder-quoted",
         "\"/srv/Shop, Main/Data\"\r\n/e\r\n");

    writeListFilter(JobFilter::Invoiced);
    seed(SettingsFormat::OptionFiles, "list-filter", written(ListFilterFile));
    writeLoadJobs(false);
    seed(SettingsFormat::OptionFiles, "load-jobs", written(LoadJobsFile));
    writeCheckState(QString::fromLatin1(CommentsShownFile), 1);
    seed(SettingsFormat::OptionFiles, "check-state", written(CommentsShownFile));

    DeliveryHeader header;
    const char* lines[] = {"==========",
                           "ACME PRINTING",
                           "----------",
                           "12 Main St",
                           "Springfield, IL 62701",
                           "(555) 123-4567",
                           "(555) 123-4568",
                           "",
                           "*  *  *  D E L I V E R Y   R E C E I P T  *  *  *",
                           "2",
                           "orders@acme.example"};
    for (int n = 1; n <= DeliveryHeader::SlotCount; ++n)
        header.slot(n) = QString::fromLatin1(lines[n - 1]);
    writeDeliveryHeader(header);
    seed(SettingsFormat::DeliveryHeader, "delivery-header", written(DeliveryHeaderFileName));
    seed(SettingsFormat::DeliveryHeader, "delivery-header-odd", "a\rb\nc\r\nlast\x80 Caf\xe9");

    writeOwnerRecord({QStringLiteral("ACME Printing Company Inc"), QStringLiteral("12 Main St"),
                      QStringLiteral("Springfield, IL 62701"), QStringLiteral("(555)123-4567"),
                      QStringLiteral("Thank you")});
    const QByteArray record = written(OwnerRecordFileWriteName);
    seed(SettingsFormat::OwnerRecord, "owner-record", record);
    seed(SettingsFormat::OwnerRecord, "owner-record-tail", record + QByteArray("TAIL\0\1\r\n", 8));
    seed(SettingsFormat::OwnerRecord, "owner-record-short", record.left(95));

    saveMargins(QStringLiteral("3"), QStringLiteral("66"));
    seed(SettingsFormat::Margins, "margins", written(MarginsFileName));
    seed(SettingsFormat::Margins, "margins-odd", "40000\r\n65.5\r\n\r\n\r\n");

    writeSignatureOption(1);
    seed(SettingsFormat::SignatureOption, "signature", written(SignatureOptionFileName));
    seed(SettingsFormat::SignatureOption, "signature-odd", "  1.5 , 0");

    DataFolder = settings.filePath(QStringLiteral("data"));
    SharedComments comments;
    for (const char* comment : {"Rush", "Fragile, \"handle\"", "", "Caf\xc3\xa9"})
        comments.post(QString::fromUtf8(comment));
    seed(SettingsFormat::Comments, "comments", readFileBytes(commentsFilePath()));
    seed(SettingsFormat::Comments, "comments-odd", "Rush\r\nRush\r\n\r\nlast\rno end\n");
    return allWritten ? 0 : 1;
}

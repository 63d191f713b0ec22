#include "common/module_values.h"
#include "settings/comments_file.h"
#include "settings/data_folder_file.h"
#include "settings/delivery_header_file.h"
#include "settings/margins_file.h"
#include "settings/owner_record_file.h"
#include "settings/signature_option_file.h"
#include "support/temp_settings.h"
#include "support/test_files.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// ------------------------------------------------------------ qmvanck.dat

// Read as two delimited fields: a comma splits a path, quotes keep one
// whole; a file cut short leaves what was not read as it was.
TEST(DataFolderFile, ReadsBothFoldersAsDelimitedFields)
{
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {nullptr, "", 53, "/old|/previous"}, // name (nullptr: none), bytes, error, folders
        {"QMVANCK.DAT", "E:\\OE\\Data\r\nE:\\Est\r\nextra line\r\n", 0, "E:\\OE\\Data|E:\\Est"},
        {"qmvanck.dat", "E:\\Shop, Main\\Data\r\nE:\\Est\r\n", 0, "E:\\Shop|Main\\Data"},
        {"qmvanck.dat", "\"/srv/Shop, Main/Data\"\r\n/e\r\n", 0, "/srv/Shop, Main/Data|/e"},
        {"qmvanck.dat", "/srv/oe/data\r\n", 62, "/srv/oe/data|/previous"},
        {"qmvanck.dat", "", 62, "/old|/previous"}};
    for (const auto& [name, bytes, error, folders] : cases) {
        TempSettingsFolder settings;
        if (name)
            writeFileContents(settings.filePath(name), bytes);
        DataFolder = "/old";
        EstFolder = "/previous";
        EXPECT_EQ(errorNumberOf(readDataFolderFile), error) << bytes;
        EXPECT_EQ(DataFolder + "|" + EstFolder, folders) << bytes;
    }
}

TEST(DataFolderFile, WritesTwoBareLinesUnderTheExistingSpellingOrTheWindowsOwn)
{
    TempSettingsFolder settings;
    EXPECT_TRUE(writeDataFolderFile("/srv/oe/data", "/srv/est"));
    EXPECT_EQ(fileContents(settings.filePath("qmVanCk.dat")), "/srv/oe/data\r\n/srv/est\r\n");

    TempSettingsFolder other;
    writeFileContents(other.filePath("qmvanck.dat"), "/old/a\r\n/old/b\r\nthird\r\n");
    const std::pair<const char*, const char*> refused[] = {
        {"E:\\OE\\Data", "Est"}, {"srv/oe/data", "/srv/est"}, {"", "/srv/est"},
        {"/srv/oe/data", ""},    {" /srv", "/srv/est"},       {"\\\\server\\share", "/"}};
    for (const auto& [data, est] : refused)
        EXPECT_FALSE(writeDataFolderFile(data, est)) << data << " " << est;
    EXPECT_TRUE(DataFolder.isEmpty() && EstFolder.isEmpty());
    EXPECT_TRUE(writeDataFolderFile("E:\\OE\\Data", "data:"));
    EXPECT_EQ(fileContents(other.filePath("qmvanck.dat")), "E:\\OE\\Data\r\ndata:\r\n");
    EXPECT_EQ(QDir(other.path()).entryList(QDir::Files), QStringList({"qmvanck.dat"}));
}

// ------------------------------------------------------------ DELVHEAD.DAT
// (The writer is checked byte-exact through its window, frmDelvHead.)

TEST(DeliveryHeader, ReadsTheLinesTheFileHolds)
{
    const std::pair<QByteArray, QStringList> cases[] = {
        {"123456789", {}}, // too short to hold data
        {"a\rb\nc\r\nlast", {"a", "b\nc", "last"}},
        {"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}},
        {"\x80 Caf\xe9 \x93q\x94\r\n", {QString::fromUtf8("€ Café “q”")}}};
    for (const auto& [file, lines] : cases) {
        TempSettingsFolder settings;
        writeFileContents(settings.filePath("DELVHEAD.DAT"), file);
        const auto header = readDeliveryHeader();
        ASSERT_EQ(header.has_value(), !lines.isEmpty()) << file.toStdString();
        for (int n = 1; header && n <= DeliveryHeader::SlotCount; ++n)
            EXPECT_EQ(header->slot(n), lines.value(n - 1)) << file.toStdString() << " slot " << n;
    }
}

// ------------------------------------------------------------ OwnsAct.DAT

QStringList fieldsOf(const std::optional<OwnerRecord>& r)
{
    return r ? QStringList{r->name, r->address, r->cityStateZip, r->phone, r->comment}
             : QStringList{};
}

TEST(OwnerRecord, WritesTheFixedWidthRecordKeepingTheTailAndReadsItBackTrimmed)
{
    TempSettingsFolder settings;
    const QByteArray tail("TAIL\0\1\r\n", 8);
    writeFileContents(settings.filePath("OWNSACT.DAT"), QByteArray(125, 'x') + tail);
    writeOwnerRecord(
        {"  Caf\u00e9 \u2713 and a name much too long", "12 Main St", "", "", "\u20ac"});
    EXPECT_EQ(fileContents(settings.filePath("OWNSACT.DAT")),
              QByteArray("  Caf\xe9 ? and a name much 12 Main St") + QByteArray(54, ' ') + "\x80" +
                  QByteArray(35, ' ') + tail);
    EXPECT_EQ(fieldsOf(readOwnerRecord()), (QStringList{QString::fromUtf8("Café ? and a name much"),
                                                        "12 Main St", "", "", "\u20ac"}));

    TempSettingsFolder other;
    writeOwnerRecord({});
    EXPECT_EQ(QDir(other.path()).entryList(QDir::Files), QStringList{"Ownsact.dat"});
    EXPECT_EQ(fileContents(other.filePath("Ownsact.dat")), QByteArray(125, ' '));
}

TEST(OwnerRecord, ReadsTheFieldsAFileCutShortReaches)
{
    const QByteArray record = QByteArray("ACME Printing Company Inc12 Main St").leftJustified(75) +
                              QByteArray("(555)123-4567 Thank you");
    const std::pair<int, QStringList> cases[] = {
        {9, {}},
        {10, {"ACME Print", "", "", "", ""}},
        {95, {"ACME Printing Company Inc", "12 Main St", "", "(555)123-4567", "Thank"}}};
    for (const auto& [length, fields] : cases) {
        TempSettingsFolder settings;
        writeFileContents(settings.filePath("OwnsAct.DAT"), record.left(length));
        EXPECT_EQ(fieldsOf(readOwnerRecord()), fields) << length;
    }
}

// ------------------------------------------------------------ BID.FYL

TEST(Margins, ReadsTheWholeNumbersOrFails)
{
    const std::tuple<const char*, int, int, int, int> cases[] = {
        {nullptr, 53, 0, 0, 0}, // file (nullptr: none), error, top, lines, printed top
        {"3\r\n66\r\n\r\n\r\n", 62, 0, 0, 3},
        {" 3 \r\n66\r\n\r\n\r\n\r", 0, 3, 66, 3},
        {"07\r\nabc\r\n\r\n\r\n\r\n", 0, 7, 0, 7},
        {"2.5\r\n65.5\r\n\r\n\r\n\r\n", 0, 2, 66, 2},
        {"40000\r\n66\r\n\r\n\r\n\r\n", 6, 0, 0, 0}};
    for (const auto& [file, error, top, lines, printedTop] : cases) {
        SCOPED_TRACE(file ? file : "no file");
        TempSettingsFolder settings;
        if (file)
            writeFileContents(settings.filePath("Bid.fyl"), file);
        Margins margins;
        EXPECT_EQ(errorNumberOf([&] { margins = readMargins(); }), error);
        EXPECT_EQ(error ? 0 : margins.topMargin * 1000 + margins.totalLines, top * 1000 + lines);
        EXPECT_EQ(readTopMargin(), printedTop);
    }
}

TEST(Margins, SaveCopiesLinesThreeToTenAndDropsTheRest)
{
    TempSettingsFolder settings;
    const QString path = settings.filePath("BID.FYL");
    writeFileContents(path, "1\r\n2\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk\r\nl\r\n");
    saveMargins(" 4x", "");
    EXPECT_EQ(fileContents(path), " 4x\r\n\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\n");

    const std::pair<double, const char*> heights[] = {
        {66, "11."}, {63, "10.5"}, {3, ".5"}, {0, "."}, {1.5, ".3"}, {-3, "-.5"}, {600, "100."}};
    for (const auto& [lines, text] : heights)
        EXPECT_EQ(pageHeightText(lines), text) << lines;
}

// ------------------------------------------------------------ SigSec.Dat

TEST(SignatureOption, ReadsTheFirstValueRoundedAndWritesThePrintForm)
{
    TempSettingsFolder settings;
    writeSignatureOption(1);
    EXPECT_EQ(fileContents(settings.filePath("SigSec.Dat")), " 1 \r\n");
    const std::pair<QByteArray, int> cases[] = {{" 1 \r\n", 1}, {"", 0},          {"1.5,0", 2},
                                                {"abc\r\n", 0}, {"99999\r\n", 0}, {"\r\n1", 0},
                                                {"  1 , 0", 1}};
    for (const auto& [bytes, state] : cases) {
        writeFileContents(settings.filePath("SigSec.Dat"), bytes);
        EXPECT_EQ(readSignatureOption(), state) << bytes.toStdString();
    }
}

// ------------------------------------------------------------ Comments.Dat

TEST(CommentsFile, ReadsLinesWholeAppendsAndRewritesInTheDataFolderOnly)
{
    TempSettingsFolder settings;
    ASSERT_TRUE(QDir(settings.path()).mkdir("data"));
    DataFolder = settings.filePath("data");
    const QString path = DataFolder + "/COMMENTS.DAT";
    writeFileContents(path, "Rush, \"fragile\"\r\n\r\nlast\rno end\n");
    EXPECT_EQ(readComments(), (QStringList{"Rush, \"fragile\"", "", "last", "no end\n"}));
    appendComment(QString::fromUtf8("Caf\u00e9 \u2713"));
    EXPECT_EQ(fileContents(path), "Rush, \"fragile\"\r\n\r\nlast\rno end\nCaf\xe9 ?\r\n");

    DataFolder.clear();
    EXPECT_EQ(errorNumberOf(readComments), 53);
    EXPECT_EQ(errorNumberOf([] { appendComment("x"); }), 70);
    EXPECT_EQ(errorNumberOf([] { rewriteComments({"x"}); }), 70);
}

} // namespace

#include "settings/signature_option_file.h"
#include "support/temp_settings.h"
#include "support/test_files.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

TEST(SignatureOptionFile, ReadsTheFirstValueRounded)
{
    TempSettingsFolder settings;
    EXPECT_EQ(readSignatureOption(), 0);
    EXPECT_EQ(fileContents(settings.filePath("SigSec.Dat")), "<missing>")
        << "reading creates nothing";

    struct Case
    {
        QByteArray bytes;
        int state;
    };
    for (const Case& c :
         {Case{" 1 \r\n", 1}, Case{" 0 \r\n", 0}, Case{"", 0}, Case{"1.5,0\r\n", 2},
          Case{"  1 , 0", 1}, Case{"abc\r\n", 0}, Case{"99999\r\n", 0}, Case{"\r\n1\r\n", 0}}) {
        writeFileContents(settings.filePath("sigsec.dat"), c.bytes);
        EXPECT_EQ(readSignatureOption(), c.state) << c.bytes.toStdString();
    }
}

TEST(SignatureOptionFile, WritesThePrintForm)
{
    TempSettingsFolder settings;
    writeSignatureOption(1);
    EXPECT_EQ(fileContents(settings.filePath("SigSec.Dat")), " 1 \r\n");
    writeSignatureOption(0);
    EXPECT_EQ(fileContents(settings.filePath("SigSec.Dat")), " 0 \r\n");
    EXPECT_EQ(QDir(settings.path()).entryList(QDir::Files), QStringList{"SigSec.Dat"});
}

} // namespace

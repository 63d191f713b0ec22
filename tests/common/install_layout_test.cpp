#include "common/install_layout.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <tuple>

namespace {

using install_layout::ReaderPresence;

// Which folder keeps the settings, for every combination of where the
// reader is and whether a folder was named on the command line. A copy
// whose reader is beside it is a build tree or a portable copy, even when
// an install tree's helper folder happens to lie beside it too.
TEST(InstallLayoutTest, ChoosesTheSettingsFolderByWhereTheReaderIs)
{
    const QString program = "/opt/shop/bin";
    const QString config = "/home/ann/.config/Vantrell/vantrell-ticket";
    const std::tuple<bool, bool, const char*, QString> cases[] = {
        // beside, in helper folder, --settings-folder, chosen folder
        {true, false, "", program},
        {true, true, "", program},
        {false, true, "", config},
        {false, false, "", program},
        {true, false, "/srv/shop2", "/srv/shop2"},
        {false, true, "/srv/shop2", "/srv/shop2"},
        {false, false, "relative", "relative"},
    };
    for (const auto& [beside, inHelper, explicitFolder, expected] : cases)
        EXPECT_EQ(install_layout::settingsFolderFor(program, ReaderPresence{beside, inHelper},
                                                    explicitFolder, config),
                  expected)
            << "beside " << beside << ", in helper folder " << inHelper << ", named "
            << explicitFolder;
}

TEST(InstallLayoutTest, FindsTheInstallTreesFoldersFromTheProgramsFolder)
{
    EXPECT_EQ(install_layout::helperFolder("/usr/bin"), "/usr/libexec/vantrell-ticket");
    EXPECT_EQ(install_layout::installedDataFolder("/usr/bin"), "/usr/share/vantrell-ticket");
    EXPECT_EQ(install_layout::helperFolder("/tmp/stage/usr/local/bin/"),
              "/tmp/stage/usr/local/libexec/vantrell-ticket");
}

// A staged prefix in a temporary folder: bin/, the helper folder and the
// data folder, filled as each case asks.
class InstallTreeTest : public ::testing::Test
{
protected:
    QString bin() const { return m_prefix.filePath("bin"); }
    QString helper() const { return m_prefix.filePath("libexec/vantrell-ticket"); }
    QString data() const { return m_prefix.filePath("share/vantrell-ticket"); }

    void place(const QString& folder, const QString& name, bool executable = true)
    {
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString path = folder + '/' + name;
        writeFileContents(path, "#!/bin/sh\n");
        QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
        if (executable)
            permissions |= QFile::ExeOwner;
        ASSERT_TRUE(QFile::setPermissions(path, permissions));
    }

    QTemporaryDir m_prefix;
};

TEST_F(InstallTreeTest, LooksForTheReaderBesideTheProgramThenInTheHelperFolder)
{
    ASSERT_TRUE(QDir().mkpath(bin()));
    const QString beside = bin() + "/qmdata-reader";
    const QString installed = helper() + "/qmdata-reader";

    auto lookup = install_layout::findReader(bin());
    EXPECT_EQ(lookup.program, beside);
    EXPECT_TRUE(lookup.missing);
    const QString message = install_layout::missingReaderMessage(bin());
    EXPECT_TRUE(message.contains(QDir::cleanPath(bin()))) << message.toStdString();
    EXPECT_TRUE(message.contains(helper())) << message.toStdString();

    // Not executable is as good as absent.
    place(helper(), "qmdata-reader", false);
    EXPECT_TRUE(install_layout::findReader(bin()).missing);
    EXPECT_FALSE(install_layout::readerPresenceIn(bin()).inHelperFolder);

    place(helper(), "qmdata-reader");
    lookup = install_layout::findReader(bin());
    EXPECT_EQ(lookup.program, installed);
    EXPECT_FALSE(lookup.missing);
    EXPECT_EQ(install_layout::layoutOf(install_layout::readerPresenceIn(bin())),
              install_layout::Layout::InstallTree);

    place(bin(), "qmdata-reader");
    lookup = install_layout::findReader(bin());
    EXPECT_EQ(lookup.program, beside);
    EXPECT_FALSE(lookup.missing);
    EXPECT_EQ(install_layout::layoutOf(install_layout::readerPresenceIn(bin())),
              install_layout::Layout::OwnFolder);
}

// The settings folder's own bitmap, under any spelling of its name, wins
// over the installed one; without either the path still names the
// installed one, which then fails to load and leaves the picture empty.
TEST_F(InstallTreeTest, TakesPartBitmapsFromTheSettingsFolderElseTheDataFolder)
{
    const QTemporaryDir settings;
    place(settings.path(), "3.BMP", false);
    place(data(), "3.bmp", false);
    place(data(), "4.bmp", false);
    const std::tuple<int, QString> cases[] = {
        {3, settings.filePath("3.BMP")},
        {4, data() + "/4.bmp"},
        {5, data() + "/5.bmp"},
    };
    for (const auto& [part, expected] : cases)
        EXPECT_EQ(install_layout::partBitmapPath(settings.path(), bin(), part), expected) << part;
}

} // namespace

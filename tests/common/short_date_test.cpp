#include "common/short_date.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

// The ticket date is written in the locale's short form and read back when
// the date window opens: in every locale the same date must come back, also
// where the short form itself has two-digit years (en_US, de_DE).
class ShortDateTest : public ::testing::TestWithParam<const char*>
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QString::fromLatin1(GetParam()))); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

TEST_P(ShortDateTest, WrittenDateAndTheLocalesOwnShortFormReadBackTheSame)
{
    for (const QDate date : {QDate(2026, 12, 7), QDate(1999, 1, 31), QDate(1926, 6, 5)}) {
        const QString text = shortDateText(date);
        EXPECT_TRUE(text.contains(QString::number(date.year()))) << text.toStdString();
        EXPECT_EQ(dateFromShortText(text), date) << text.toStdString();
    }
    for (const QDate date : {QDate(2026, 3, 4), QDate(1990, 3, 4)})
        EXPECT_EQ(dateFromShortText(QLocale().toString(date, QLocale::ShortFormat)), date);
    EXPECT_FALSE(dateFromShortText(QStringLiteral("no date")).isValid());
}

INSTANTIATE_TEST_SUITE_P(Locales, ShortDateTest,
                         ::testing::Values("en_US", "de_DE", "en_GB", "ja_JP", "C"));

} // namespace

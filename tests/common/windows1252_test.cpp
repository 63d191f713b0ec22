#include "common/windows1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Windows1252, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const QString text = fromWindows1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(toWindows1252(text), all);
}

TEST(Windows1252, DecodesTheCodePageTable)
{
    EXPECT_EQ(fromWindows1252("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(fromWindows1252("\x92"), QString(QChar(0x2019)));
    EXPECT_EQ(fromWindows1252("\x9F"), QString(QChar(0x0178)));
    EXPECT_EQ(fromWindows1252("\x81\x8D\x8F\x90\x9D"),
              QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D"));
    EXPECT_EQ(fromWindows1252("\xE9\xA0"), QString::fromUtf16(u"\u00E9\u00A0"));
}

TEST(Windows1252, UnmappableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(toWindows1252(u"a\u0100b"), "a?b");
    // C1 controls other than the five unassigned bytes have no byte.
    EXPECT_EQ(toWindows1252(u"\u0080\u009F"), "??");
    // A character beyond the basic plane is one character, one "?".
    EXPECT_EQ(toWindows1252(QString::fromUtf8("x\xF0\x9F\x98\x80y")), "x?y");
    EXPECT_EQ(toWindows1252(QString(QChar(0xD800))), "?");
    EXPECT_EQ(toWindows1252(u"\u20AC 5"), "\x80 5");
}

} // namespace

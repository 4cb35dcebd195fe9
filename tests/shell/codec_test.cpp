#include "shell/codec.h"

#include <gtest/gtest.h>

#include <set>

using namespace farq;

TEST(Cp1252Codec, EveryByteRoundTripsToADistinctCharacter)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = fromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    std::set<char16_t> distinct;
    for (QChar c : text)
        distinct.insert(c.unicode());
    EXPECT_EQ(distinct.size(), 256u);
    EXPECT_EQ(toCp1252(text), all);
}

TEST(Cp1252Codec, MapsTheLettersOfTheEditions)
{
    struct Case {
        unsigned char byte;
        char16_t unicode;
    } cases[] = {{0xE3, u'ã'}, {0xE9, u'é'}, {0xC7, u'Ç'}, {0xBA, u'º'}, {0x80, u'€'},
                 {0x93, u'“'}, {0x96, u'–'}, {0x81, 0x0081}, {0x27, u'\''}};
    for (const Case& c : cases) {
        const QByteArray b(1, static_cast<char>(c.byte));
        EXPECT_EQ(fromCp1252(b), QString(QChar(c.unicode))) << int(c.byte);
        EXPECT_EQ(toCp1252(QString(QChar(c.unicode))), b) << int(c.byte);
    }
}

TEST(Cp1252Codec, CharactersWithoutAByteBecomeQuestionMarks)
{
    EXPECT_EQ(toCp1252(QStringLiteral("a\u4e2db\u0101")), QByteArray("a?b?"));
    EXPECT_EQ(cp1252Byte(QChar(0x4e2d)), -1);
}

#include "shell/cipher.h"
#include "shell/codec.h"

#include <gtest/gtest.h>

#include <random>

using namespace farq;

namespace {

int hexPair(const QByteArray& coded, int index) { return coded.mid(2 * index, 2).toInt(nullptr, 16); }

} // namespace

TEST(CipherEncode, WritesStartValueThenOnePairPerCharacterInUpperCase)
{
    // "A" (65) from start 0: ((0 + 65) mod 255) xor 'Q' (81) = 16.
    EXPECT_EQ(encodeDescription("A", 0), QByteArray("0010"));
    // From start 0xFE: (254 + 65) mod 255 = 64, xor 81 = 17.
    EXPECT_EQ(encodeDescription("A", 0xFE), QByteArray("FE11"));
    const QByteArray coded = encodeDescription(toCp1252(QStringLiteral("Dipirona Sódica")), 171);
    EXPECT_EQ(coded.size(), 2 * 15 + 2);
    EXPECT_EQ(coded, coded.toUpper());
    EXPECT_TRUE(encodeDescription("", 5).isEmpty());
}

TEST(CipherEncode, FourteenthCharacterReusesTheFirstKeyCharacter)
{
    const QByteArray plain(14, 'x');
    const QByteArray coded = encodeDescription(plain, 33);
    const int o13 = hexPair(coded, 13);
    EXPECT_EQ(hexPair(coded, 14), ((o13 + 'x') % 255) ^ 'Q');
    const int o0 = hexPair(coded, 0);
    EXPECT_EQ(hexPair(coded, 1), ((o0 + 'x') % 255) ^ 'Q');
    EXPECT_EQ(hexPair(coded, 13), ((hexPair(coded, 12) + 'x') % 255) ^ 'K');
}

struct DecodeCase {
    const char* name;
    QByteArray coded;
    bool ok;
    QByteArray plain;
};

class CipherDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(CipherDecode, FollowsTheRules)
{
    const DecodeCase& c = GetParam();
    QByteArray out("stale");
    EXPECT_EQ(decodeDescription(c.coded.constData(), c.coded.size(), out), c.ok);
    EXPECT_EQ(out, c.plain);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CipherDecode,
    ::testing::Values(DecodeCase{"simple", "0010", true, "A"}, DecodeCase{"lowerCaseHex", "fe11", true, "A"},
                      DecodeCase{"oddLengthLosesLastCharacter", "00107", true, "A"},
                      DecodeCase{"empty", "", true, ""}, DecodeCase{"onlyTheStartPair", "00", false, ""},
                      DecodeCase{"startPairAndOneDigit", "001", false, ""},
                      DecodeCase{"nonHexDigit", "00G0", false, ""},
                      DecodeCase{"nonHexInStart", "Z010", false, ""},
                      DecodeCase{"codeZeroComesBackAs255", encodeDescription(QByteArray(1, '\0'), 40), true,
                                 QByteArray(1, char(255))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CipherDecode, RandomTextsRoundTripWhateverTheStartValue)
{
    std::mt19937 rng(12345);
    for (int i = 0; i < 500; ++i) {
        QByteArray plain(1 + int(rng() % 120), ' ');
        for (char& c : plain)
            c = static_cast<char>(1 + rng() % 254);
        const QByteArray coded = encodeDescription(plain, int(rng() % 256));
        QByteArray out;
        ASSERT_TRUE(decodeDescription(coded.constData(), coded.size(), out));
        ASSERT_EQ(out, plain);
    }
}

TEST(CipherDecode, CodeAfterAPairOf255IsTheOnlyOtherLoss)
{
    // The chained sum is taken modulo 255, so a character 255 right after a
    // pair of value 255 cannot be told from code 0; every other byte from 1
    // to 255 comes back whatever the pair before it.
    for (int start = 0; start < 256; ++start)
        for (int code = 1; code < 256; ++code) {
            const QByteArray plain(1, static_cast<char>(code));
            const QByteArray coded = encodeDescription(plain, start);
            QByteArray out;
            ASSERT_TRUE(decodeDescription(coded.constData(), coded.size(), out));
            if (start == 255 && code == 255)
                EXPECT_EQ(out, QByteArray(1, '\0'));
            else
                ASSERT_EQ(out, plain) << start << " " << code;
        }
}

TEST(Crypt, ClearEditionReturnsTheSourceForEveryAction)
{
    Crypt crypt(false);
    int errors = 0;
    crypt.setErrorHandler([&] { ++errors; });
    for (const char* action : {"C", "D", "X", ""})
        EXPECT_EQ(crypt(QString::fromLatin1(action), QStringLiteral("Dipirona 500")), QStringLiteral("Dipirona 500"));
    EXPECT_EQ(crypt(QStringLiteral("D"), QStringLiteral("zz")), QStringLiteral("zz"));
    EXPECT_EQ(errors, 0);
}

TEST(Crypt, CodedEditionEncodesAndDecodesInEitherCase)
{
    Crypt crypt(true);
    const QString plain = QStringLiteral("Laboratório D'Ávila – “Ltda.” €");
    for (const char* encodeAction : {"C", "c"}) {
        const QString coded = crypt(QString::fromLatin1(encodeAction), plain);
        EXPECT_EQ(coded.size(), 2 * plain.size() + 2);
        EXPECT_EQ(crypt(QStringLiteral("D"), coded), plain);
        EXPECT_EQ(crypt(QStringLiteral("d"), coded.toLower()), plain);
    }
    EXPECT_EQ(crypt(QStringLiteral("X"), plain), QString());
    EXPECT_EQ(crypt(QStringLiteral("D"), QString()), QString());
}

TEST(Crypt, TwoEncodingsOfOneTextUsuallyDiffer)
{
    Crypt crypt(true);
    const QString plain = QStringLiteral("Omeprazol 20 mg");
    int different = 0;
    for (int i = 0; i < 20; ++i)
        different += crypt(QStringLiteral("C"), plain) != crypt(QStringLiteral("C"), plain);
    EXPECT_GT(different, 10);
}

TEST(Crypt, FailedDecodingReportsOnceAndGivesEmptyText)
{
    Crypt crypt(true);
    int errors = 0;
    crypt.setErrorHandler([&] { ++errors; });
    EXPECT_EQ(crypt(QStringLiteral("D"), QStringLiteral("AB")), QString());
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(crypt(QStringLiteral("D"), QStringLiteral("00ÿ1")), QString());
    EXPECT_EQ(errors, 2);
    EXPECT_EQ(crypt(QStringLiteral("D"), QString()), QString());
    EXPECT_EQ(errors, 2);
    EXPECT_EQ(kDecryptError, QStringLiteral("Decrypt error"));
}

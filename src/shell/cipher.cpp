#include "shell/cipher.h"

#include "shell/codec.h"

#include <QRandomGenerator>

#include <array>

namespace farq {
namespace {

constexpr int kKeyLength = 13;

constexpr std::array<signed char, 256> makeHexTable()
{
    std::array<signed char, 256> t{};
    for (auto& v : t)
        v = -1;
    for (int c = '0'; c <= '9'; ++c)
        t[c] = static_cast<signed char>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c)
        t[c] = static_cast<signed char>(c - 'A' + 10);
    for (int c = 'a'; c <= 'f'; ++c)
        t[c] = static_cast<signed char>(c - 'a' + 10);
    return t;
}
constexpr std::array<signed char, 256> kHex = makeHexTable();
constexpr char kDigits[] = "0123456789ABCDEF";

inline int pairAt(const char* s, qsizetype p, qsizetype size)
{
    if (p + 1 >= size)
        return -1;
    const int hi = kHex[static_cast<unsigned char>(s[p])];
    const int lo = kHex[static_cast<unsigned char>(s[p + 1])];
    return (hi < 0 || lo < 0) ? -1 : (hi << 4) | lo;
}

} // namespace

QByteArray encodeDescription(const QByteArray& plain, int start)
{
    if (plain.isEmpty())
        return {};
    QByteArray out;
    out.resize(2 * plain.size() + 2);
    char* dst = out.data();
    int o = start & 0xFF;
    *dst++ = kDigits[o >> 4];
    *dst++ = kDigits[o & 15];
    int k = 0;
    for (char ch : plain) {
        const int code = static_cast<unsigned char>(ch);
        const int v = ((o + code) % 255) ^ static_cast<unsigned char>(kCipherKey[k]);
        k = (k + 1) % kKeyLength;
        *dst++ = kDigits[v >> 4];
        *dst++ = kDigits[v & 15];
        o = v;
    }
    return out;
}

bool decodeDescription(const char* s, qsizetype size, QByteArray& out)
{
    out.clear();
    if (size == 0)
        return true;
    int o = pairAt(s, 0, size);
    if (o < 0)
        return false;
    out.reserve((size - 2) / 2 + 1);
    qsizetype p = 2; // zero-based position of the next pair
    int k = 0;
    // The loop body runs at least once and reads the pair at p, so a value
    // of length 2 fails here; an odd last character is never read.
    do {
        const int b = pairAt(s, p, size);
        if (b < 0) {
            out.clear();
            return false;
        }
        const int t = b ^ static_cast<unsigned char>(kCipherKey[k]);
        k = (k + 1) % kKeyLength;
        const int code = o < t ? t - o : t + 255 - o;
        out.append(static_cast<char>(code));
        o = b;
        p += 2;
    } while (p + 1 < size);
    return true;
}

bool Crypt::tryDecode(const QString& coded, QString& plain)
{
    // Hex digits are ASCII; anything else fails as a non-hex digit.
    QByteArray in(coded.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < coded.size(); ++i) {
        const char16_t u = coded[i].unicode();
        in[i] = u < 0x80 ? static_cast<char>(u) : 'x';
    }
    QByteArray bytes;
    if (!decodeDescription(in.constData(), in.size(), bytes)) {
        plain.clear();
        return false;
    }
    plain = fromCp1252(bytes);
    return true;
}

QString Crypt::encode(const QString& plain)
{
    const int start = static_cast<int>(QRandomGenerator::global()->bounded(256));
    return QString::fromLatin1(encodeDescription(toCp1252(plain), start));
}

QString Crypt::decode(const QString& source) const { return (*this)(QStringLiteral("D"), source); }

QString Crypt::operator()(const QString& action, const QString& source) const
{
    if (!coded_)
        return source;
    if (source.isEmpty())
        return {};
    const QString a = action.toUpper();
    if (a == QLatin1String("C"))
        return encode(source);
    if (a == QLatin1String("D")) {
        QString plain;
        if (!tryDecode(source, plain)) {
            if (onError_)
                onError_();
            return {};
        }
        return plain;
    }
    return {};
}

} // namespace farq

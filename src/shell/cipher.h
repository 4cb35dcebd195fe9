#pragma once
// The cipher of coded descriptions: a keyed, chained hexadecimal code with a
// random start value. Texts are handled as Windows-1252 characters.
#include <QByteArray>
#include <QString>

#include <functional>

namespace farq {

inline constexpr char kCipherKey[] = "QUOLTRAVIMESK";

// Encodes bytes with the given start value (0..255): 2n + 2 upper-case hex
// digits. An empty text gives an empty value.
QByteArray encodeDescription(const QByteArray& plain, int start);
// Decodes a coded value. Returns false on a non-hex digit or a missing pair
// (a value of length 2 among them); `out` is then empty.
bool decodeDescription(const char* coded, qsizetype size, QByteArray& out);

// The program's Crypt: decodes or encodes when the edition is coded, returns
// the source unchanged otherwise.
class Crypt {
public:
    // coded: "S" in the main window's lbCrypto.
    explicit Crypt(bool coded = false) : coded_(coded) {}
    void setCoded(bool coded) { coded_ = coded; }
    bool coded() const { return coded_; }

    // Called once per failed decoding; the windows show "Decrypt error", the
    // command line writes it to stderr. Without a handler failures are silent.
    void setErrorHandler(std::function<void()> handler) { onError_ = std::move(handler); }

    // action "C" encodes, "D" decodes (case-insensitive), anything else gives
    // an empty text; with a clear edition the source comes back unchanged.
    QString operator()(const QString& action, const QString& source) const;
    QString decode(const QString& source) const;

    // Decoding that reports failure instead of calling the handler.
    static bool tryDecode(const QString& coded, QString& plain);
    static QString encode(const QString& plain);

private:
    bool coded_;
    std::function<void()> onError_;
};

inline const QString kDecryptError = QStringLiteral("Decrypt error");

} // namespace farq

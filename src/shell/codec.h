#pragma once
// Windows-1252 <-> QString, the one conversion at the database and file
// boundaries. Every one of the 256 byte values decodes to a distinct character
// and encodes back to the same byte; the five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same
// number, as Windows itself does.
#include <QByteArray>
#include <QString>
#include <QStringView>

namespace farq {

QString fromCp1252(const char* data, qsizetype size);
inline QString fromCp1252(const QByteArray& bytes) { return fromCp1252(bytes.constData(), bytes.size()); }

// Characters with no Windows-1252 byte become '?'.
QByteArray toCp1252(QStringView text);

// The Windows-1252 byte of one character, or -1 when it has none.
int cp1252Byte(QChar c);

} // namespace farq

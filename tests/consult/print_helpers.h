#pragma once
// Readable failure messages for Qt values and page lines.
#include "consult/page_lines.h"

#include <QString>
#include <QStringList>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << "[";
    for (const QString& s : l)
        *os << "\n  \"" << s.toStdString() << '"';
    *os << "]";
}
inline std::ostream& operator<<(std::ostream& os, const QString& s) { return os << s.toStdString(); }
QT_END_NAMESPACE

namespace farq::consult {
inline void PrintTo(const PageLine& l, std::ostream* os)
{
    *os << (l.bold ? "[b]" : "") << "[" << colourName(l.colour).toStdString() << "] \"" << l.text.toStdString()
        << '"';
}
} // namespace farq::consult

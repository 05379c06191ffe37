#pragma once
// Readable GoogleTest output for Qt values.
#include <QByteArray>
#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toUtf8().constData() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    *os << "bytes[" << bytes.size() << "] " << bytes.toHex(' ').constData();
}

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1252, the code page of every ANSI file the program reads and writes. Our own table, so it
// works the same on every platform and needs no ICU.
namespace qv::cp1252 {

    // The character a byte stands for. The five bytes Windows leaves undefined (81, 8D, 8F, 90, 9D)
    // map to the control characters of the same value, as Windows itself does, so every byte survives
    // a round trip.
    QChar toUnicode(uchar byte);

    // The byte for a character, or -1 when the code page has none.
    int fromUnicode(QChar ch);

    QString decode(QByteArrayView bytes);

    // Characters outside the code page are written as "?".
    QByteArray encode(QStringView text);

    bool canEncode(QStringView text);

} // namespace qv::cp1252

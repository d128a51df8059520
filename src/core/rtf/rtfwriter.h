#pragma once

#include <QByteArray>

class QTextDocument;

namespace qv::rtf {

    // The whole document as ANSI RTF (\ansicpg1252) that Word, WordPad and LibreOffice open unchanged,
    // and that read() turns back into the same text and formats.
    QByteArray write(const QTextDocument& doc);

} // namespace qv::rtf

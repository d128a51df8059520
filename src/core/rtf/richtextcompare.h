#pragma once

#include <QStringList>

class QTextDocument;

namespace qv::rtf {

    // How two documents differ in their text and in the formatting an RTF file carries (fonts, sizes,
    // emphasis, colours, paragraph layout, lists, tables, pictures, links), one line per difference
    // in words a person can act on. Empty when they match. Lengths are compared in twips and sizes in
    // half-points, the units of the file, so what a file can hold exactly compares exactly.
    // Stops after `limit` lines.
    QStringList compareDocuments(const QTextDocument& expected, const QTextDocument& actual, int limit = 50);

} // namespace qv::rtf

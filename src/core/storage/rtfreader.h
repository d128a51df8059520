#pragma once

#include <QByteArrayView>

class QTextDocument;

namespace qv::rtf {

    // Reads an RTF document into doc, replacing its content.
    //
    // Never fails and never trusts its input: unbalanced braces, truncation, huge numbers, deep
    // nesting and garbage give whatever text could be read, in time and memory bounded by the size of
    // the input. Returns false when the bytes were not RTF at all (no "{\rtf" at the start); doc then
    // holds them as plain Windows-1252 text, which is what a user who renamed a text file expects.
    bool read(QByteArrayView rtf, QTextDocument& doc);

} // namespace qv::rtf

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
    //
    // PNG and JPEG pictures become image resources named "rtfimage://1", "rtfimage://2" and so on.
    // Pictures we cannot draw (metafiles, device bitmaps, broken data, or past the memory allowed a
    // document) all show one grey framed box with the word "Picture", resource
    // "rtfimage://placeholder", at the size the file gives them. Headers, footers, footnotes,
    // comments and hidden text are not shown; nested tables become paragraphs of their outer cell.
    bool read(QByteArrayView rtf, QTextDocument& doc);

    struct ReadOutcome
    {
        bool wasRtf = false;
        // The bytes ended while groups were still open: a torn write or a copy that stopped early.
        // The document holds what came before the cut, which may well look complete to a reader.
        bool cutOff = false;
    };

    // read(), telling the caller too whether the file was cut off.
    ReadOutcome readDocument(QByteArrayView rtf, QTextDocument& doc);

} // namespace qv::rtf

#pragma once

#include <QList>
#include <QStringView>

class QTextDocument;

namespace qv {

    // Where phrase occurs in text as a whole word, ignoring letter case: the start of each occurrence,
    // first to last, never overlapping. Letters and digits are word characters, so "Risk Management"
    // is not found in "Risk Managements" or "xRisk Management", but is in "(Risk Management)"; an edge
    // of the phrase that is not a letter or digit needs no boundary. An empty phrase occurs nowhere.
    QList<qsizetype> wholeWordOccurrences(QStringView text, QStringView phrase);

    // Sets every whole-word occurrence of phrase in doc in bold and underlined, keeping the rest of
    // each occurrence's formatting; returns how many were set off. A phrase never spans paragraphs.
    int applyEmphasis(QTextDocument& doc, QStringView phrase);

} // namespace qv

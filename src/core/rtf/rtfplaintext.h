#pragma once

#include <QString>
#include <QTextListFormat>

class QTextDocument;

namespace qv::rtf {

    // The document's text as a plain-text export gives it: every list item starts with its number or
    // bullet, as the list shows it, and a tab; everything else as QTextDocument::toPlainText.
    QString plainTextWithListMarkers(const QTextDocument& doc);

    // A numbered list item's number as QTextList shows it, without prefix or suffix: letters and
    // roman numerals in the case of the style (roman from 4000 on as digits), digits otherwise.
    QString listItemNumber(int item, QTextListFormat::Style style);

} // namespace qv::rtf

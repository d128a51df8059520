#pragma once

#include <QString>

class QTextDocument;

namespace qv::rtf {

    // The document's text as a plain-text export gives it: every list item starts with its number or
    // bullet, as the list shows it, and a tab; everything else as QTextDocument::toPlainText.
    QString plainTextWithListMarkers(const QTextDocument& doc);

} // namespace qv::rtf

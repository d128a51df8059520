#pragma once

#include <QList>
#include <QString>

namespace qv::writing {

    // A word and what replaces it: an entry of the auto-correction list or of the checker's change list.
    struct WordPair
    {
        QString word;
        QString replacement;

        friend bool operator==(const WordPair&, const WordPair&) = default;
    };

    // The fixed auto-correction list in load order, as the data file holds it (a misspelling, a tab and
    // its correction on each line). Empty only when the program was built without its data.
    const QList<WordPair>& autoCorrections();

} // namespace qv::writing

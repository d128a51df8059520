#pragma once

#include <QString>

namespace qv {

    class AreaHost;

    // A template the "Insert Template" button offers, and the user's document it would replace once
    // saved.
    struct TemplateChoice
    {
        // The installed template, "Misc" + number + ".Fl1".
        QString templateFile;
        // The document in the data folder that is checked for text first; empty when the question is
        // always asked (the example area has no file of its own).
        QString existingFile;
        // How the question names the existing document.
        QString what;

        friend bool operator==(const TemplateChoice&, const TemplateChoice&) = default;
    };

    // The name every installed template goes by.
    QString templateFileName(int number);

    // Loads the template into the Action Area's editor, first asking whether to replace an existing
    // document that has text. Loading is an edit: nothing is written until the user saves. Returns
    // whether the template was loaded.
    bool insertTemplate(AreaHost& host, const TemplateChoice& choice);

} // namespace qv

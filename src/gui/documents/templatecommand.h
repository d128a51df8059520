#pragma once

#include <QString>

#include <optional>

namespace qv {

    class AreaHost;

    // The template the "Insert Template" button offers in an area, and the user's document it would
    // replace once saved.
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

    // What the button means in area with entry item chosen; none in the areas that give the button
    // another meaning or hide it, and for an entry the area does not have.
    std::optional<TemplateChoice> templateChoice(int area, int item);

    // Loads the template into the Action Area's editor, first asking whether to replace an existing
    // document that has text. Loading is an edit: nothing is written until the user saves. Returns
    // whether the template was loaded.
    bool insertTemplate(AreaHost& host, const TemplateChoice& choice);

    // The area's own choice for its current entry, as the button runs it.
    bool insertTemplateForCurrentEntry(AreaHost& host);

} // namespace qv

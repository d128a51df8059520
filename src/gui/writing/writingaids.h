#pragma once

#include "core/writing/dictionaryfolders.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace qv {

    class Dialogs;
    class Help;
    class Prompter;
    class RichTextEditor;

    namespace writing {
        class SpellChecker;
        class Thesaurus;
    } // namespace writing

    // The writing aids of the editor pane: the spell check, the thesaurus and font selection. The
    // checker and its change list live as long as this object, so Change All and Ignore All hold for
    // every later check of the session; the dictionaries are loaded on first use.
    class WritingAids
    {
    public:
        WritingAids(RichTextEditor& editor,
                    Prompter& prompter,
                    Dialogs& dialogs,
                    Help& help,
                    QStringList spellFolders = writing::standardSpellFolders(),
                    QStringList thesaurusFolders = writing::standardThesaurusFolders());
        ~WritingAids();
        WritingAids(const WritingAids&) = delete;
        WritingAids& operator=(const WritingAids&) = delete;

        // Whether the dictionaries are installed; without them the commands stay disabled.
        bool canCheckSpelling() const;
        bool canLookUpWords() const;

        // The pane check: every word of the pane, corrected in place.
        void checkPane();
        // The thesaurus over the selected word.
        void lookUpSelection();
        // The font dialog for the selection, or for the text typed next.
        void selectFont();

        // The checker with its change list, for checks of other texts than the pane; nullptr (after
        // telling the user) when no dictionary can be loaded.
        writing::SpellChecker* checker();

    private:
        writing::Thesaurus* thesaurus();

        RichTextEditor& m_editor;
        Prompter& m_prompter;
        Dialogs& m_dialogs;
        Help& m_help;
        QStringList m_spellFolders;
        QStringList m_thesaurusFolders;
        std::unique_ptr<writing::SpellChecker> m_checker;
        std::shared_ptr<writing::Thesaurus> m_thesaurus;
    };

} // namespace qv

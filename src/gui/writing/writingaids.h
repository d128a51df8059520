#pragma once

#include "core/storage/programfolder.h"
#include "core/storage/result.h"
#include "core/writing/dictionaryfolders.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

namespace qv {

    class Dialogs;
    class Help;
    class LiveSpelling;
    class Prompter;
    class RichTextEditor;

    namespace writing {
        class SpellChecker;
        class Thesaurus;
        class UserDictionary;
        class WordChecker;
    } // namespace writing

    // One-line texts a check goes through one after another (the timeline's items), as their owner
    // keeps them.
    class CheckedCells
    {
    public:
        virtual ~CheckedCells() = default;
        virtual QStringList texts() const = 0;
        // The check is about to ask about a word of cell (from 0): bring it into sight.
        virtual void showCell(qsizetype cell)
        {
            Q_UNUSED(cell);
        }
        // The check corrected cell from before to after.
        virtual void corrected(qsizetype cell, const QString& before, const QString& after) = 0;
    };

    // The writing aids of the editor pane: the spell check, the live marks of unknown words, the
    // thesaurus and font selection. The checker and its change list live as long as this object, so
    // Change All and Ignore All hold for every later check of the session; the dictionaries are loaded
    // on first use. The user's own words (UserWordsFile in the data folder) count as known everywhere.
    class WritingAids
    {
    public:
        WritingAids(RichTextEditor& editor,
                    Prompter& prompter,
                    Dialogs& dialogs,
                    Help& help,
                    const ProgramFolder& folder,
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
        // The check of cells one after another with change-all carried into later cells; a corrected
        // cell is cut to fit. Ends with its closing message.
        void checkCells(CheckedCells& cells);
        // The thesaurus over the selected word.
        void lookUpSelection();
        // The font dialog for the selection, or for the text typed next.
        void selectFont();

        // The checker with its change list, for checks of other texts than the pane; nullptr (after
        // telling the user) when no dictionary can be loaded.
        writing::SpellChecker* checker();

        // The dictionary with the user's own words, loaded on first use without a word to the user;
        // nullptr when there is none.
        const writing::WordChecker* dictionary();
        // The words the user chose to ignore in this session; nullptr before the first check.
        const QSet<QString>* ignoredWords() const;
        // What the right-button menu offers for word: its listed correction first, then the
        // dictionary's suggestions.
        QStringList suggestionsFor(const QString& word);
        // Adds word to the user's own words and writes the list.
        Status addUserWord(const QString& word);
        LiveSpelling* liveSpelling() const;
        Prompter& prompter() const;

    private:
        writing::Thesaurus* thesaurus();
        Result<std::shared_ptr<writing::UserDictionary>> openDictionary();
        // The closing message of a check.
        void tellCheckEnded(const QString& text);

        RichTextEditor& m_editor;
        Prompter& m_prompter;
        Dialogs& m_dialogs;
        Help& m_help;
        ProgramFolder m_folder;
        QStringList m_spellFolders;
        QStringList m_thesaurusFolders;
        std::shared_ptr<writing::UserDictionary> m_words;
        bool m_dictionaryMissing = false;
        std::unique_ptr<writing::SpellChecker> m_checker;
        std::unique_ptr<LiveSpelling> m_live;
        std::shared_ptr<writing::Thesaurus> m_thesaurus;
    };

} // namespace qv

#include "writingaids.h"

#include "core/writing/cellcheck.h"
#include "core/writing/propagation.h"
#include "core/writing/spellchecker.h"
#include "core/writing/spellengine.h"
#include "core/writing/thesaurus.h"
#include "core/writing/userwords.h"
#include "gui/kit/busypointer.h"
#include "gui/kit/dialogs.h"
#include "gui/kit/help.h"
#include "gui/kit/prompter.h"
#include "gui/kit/richtexteditor.h"
#include "livespelling.h"

#include <QTextCharFormat>

#include <optional>

namespace qv {

    namespace {

        const QString SpellTitle = QStringLiteral("Spell Check");
        const QString ThesaurusTitle = QStringLiteral("Thesaurus");

        writing::SpellDecision decisionFor(const SpellAnswer& answer)
        {
            using K = writing::SpellDecision::Kind;
            switch (answer.action) {
            case SpellAnswer::Action::Ignore:
                return {K::Ignore, {}};
            case SpellAnswer::Action::IgnoreAll:
                return {K::IgnoreAll, {}};
            case SpellAnswer::Action::Change:
                return {K::Change, answer.replacement};
            case SpellAnswer::Action::ChangeAll:
                return {K::ChangeAll, answer.replacement};
            case SpellAnswer::Action::Cancel:
                break;
            }
            return {K::Cancel, {}};
        }

        // The pane keeps showing its selection while a dialog works on it, and goes back to hiding it
        // (if it did) afterwards.
        class SelectionShown
        {
        public:
            explicit SelectionShown(RichTextEditor& editor)
                : m_editor(editor)
                , m_hidden(editor.hideSelection())
            {
                m_editor.setHideSelection(false);
            }
            ~SelectionShown()
            {
                m_editor.setHideSelection(m_hidden);
            }
            SelectionShown(const SelectionShown&) = delete;
            SelectionShown& operator=(const SelectionShown&) = delete;

        private:
            RichTextEditor& m_editor;
            bool m_hidden;
        };

    } // namespace

    WritingAids::WritingAids(RichTextEditor& editor,
                             Prompter& prompter,
                             Dialogs& dialogs,
                             Help& help,
                             const ProgramFolder& folder,
                             QStringList spellFolders,
                             QStringList thesaurusFolders)
        : m_editor(editor)
        , m_prompter(prompter)
        , m_dialogs(dialogs)
        , m_help(help)
        , m_folder(folder)
        , m_spellFolders(std::move(spellFolders))
        , m_thesaurusFolders(std::move(thesaurusFolders))
    {
        if (canCheckSpelling()) {
            m_live = std::make_unique<LiveSpelling>(m_editor, *this);
        }
    }

    WritingAids::~WritingAids() = default;

    LiveSpelling* WritingAids::liveSpelling() const
    {
        return m_live.get();
    }

    Prompter& WritingAids::prompter() const
    {
        return m_prompter;
    }

    Result<std::shared_ptr<writing::UserDictionary>> WritingAids::openDictionary()
    {
        if (!m_words) {
            auto engine = writing::SpellEngine::open(m_spellFolders);
            if (!engine) {
                return engine.status();
            }
            auto words = std::make_shared<writing::UserDictionary>(std::move(engine).value(), m_folder);
            // An unreadable list of the user's words leaves them unmarked as known; adding to it says
            // why and leaves the file alone.
            words->load().ok();
            m_words = std::move(words);
        }
        return m_words;
    }

    const writing::WordChecker* WritingAids::dictionary()
    {
        if (!m_words && !m_dictionaryMissing) {
            BusyPointer busy;
            m_dictionaryMissing = !openDictionary().ok();
        }
        return m_words.get();
    }

    const QSet<QString>* WritingAids::ignoredWords() const
    {
        return m_checker ? &m_checker->ignoredWords() : nullptr;
    }

    QStringList WritingAids::suggestionsFor(const QString& word)
    {
        QStringList list;
        if (m_checker) {
            if (const auto listed = m_checker->changeList().replacementFor(word)) {
                list.append(writing::inCaseOf(word, *listed));
            }
        } else if (const auto listed = writing::ChangeList::withAutoCorrections().replacementFor(word)) {
            list.append(writing::inCaseOf(word, *listed));
        }
        if (const writing::WordChecker* words = dictionary()) {
            for (const QString& s : words->suggestions(word)) {
                if (!list.contains(s)) {
                    list.append(s);
                }
            }
        }
        return list;
    }

    Status WritingAids::addUserWord(const QString& word)
    {
        if (!dictionary()) {
            return Status::failure(writing::NoSpellDictionaryMessage);
        }
        return m_words->add(word);
    }

    bool WritingAids::canCheckSpelling() const
    {
        return writing::SpellEngine::isInstalled(m_spellFolders);
    }

    bool WritingAids::canLookUpWords() const
    {
        return writing::Thesaurus::isInstalled(m_thesaurusFolders);
    }

    writing::SpellChecker* WritingAids::checker()
    {
        if (!m_checker) {
            BusyPointer busy;
            auto words = openDictionary();
            if (!words) {
                m_prompter.warn(SpellTitle, words.error());
                return nullptr;
            }
            m_checker = std::make_unique<writing::SpellChecker>(std::move(words).value());
        }
        return m_checker.get();
    }

    writing::Thesaurus* WritingAids::thesaurus()
    {
        if (!m_thesaurus) {
            BusyPointer busy;
            auto opened = writing::Thesaurus::open(m_thesaurusFolders);
            if (!opened) {
                m_prompter.warn(ThesaurusTitle, opened.error());
                return nullptr;
            }
            m_thesaurus = std::move(opened).value();
        }
        return m_thesaurus.get();
    }

    void WritingAids::checkPane()
    {
        if (m_editor.isReadOnly()) {
            return;
        }
        writing::SpellChecker* spelling = checker();
        if (!spelling) {
            return;
        }
        {
            std::optional<BusyPointer> busy(std::in_place);
            const SelectionShown shown(m_editor);
            // Corrections go into the document itself, word by word, so the pane keeps its formatting.
            spelling->check(*m_editor.document(), [&](const writing::Misspelling& word) {
                m_editor.select(word.start, word.length);
                m_editor.ensureCursorVisible();
                busy.reset();
                const SpellAnswer answer = m_dialogs.reviewSpelling(
                    {word.word, word.suggestions, [this] { m_help.showTopic(HelpTopic::SpellCheck); }});
                busy.emplace();
                return decisionFor(answer);
            });
        }
        tellCheckEnded(QStringLiteral("Spell Check has been canceled or has reached the end of your document"));
        m_editor.setSelStart(0);
    }

    void WritingAids::checkCells(CheckedCells& cells)
    {
        writing::SpellChecker* spelling = checker();
        if (!spelling) {
            return;
        }
        writing::CellCheckOutcome outcome;
        {
            std::optional<BusyPointer> busy(std::in_place);
            QStringList texts = cells.texts();
            outcome = writing::CellCheck::run(
                *spelling,
                texts,
                [&](qsizetype cell, const writing::Misspelling& word) {
                    cells.showCell(cell);
                    busy.reset();
                    const SpellAnswer answer = m_dialogs.reviewSpelling(
                        {word.word, word.suggestions, [this] { m_help.showTopic(HelpTopic::SpellCheck); }});
                    busy.emplace();
                    return decisionFor(answer);
                },
                [&](qsizetype cell, const QString& before, const QString& after) {
                    cells.corrected(cell, before, after);
                });
        }
        tellCheckEnded(outcome.changed
                           ? QStringLiteral("Spell Check has been canceled or has reached the end of your entries")
                           : QStringLiteral("Spell Check did not change or did not find any misspelled words!"));
    }

    void WritingAids::tellCheckEnded(const QString& text)
    {
        // Words ignored for the session lose their marks too.
        if (m_live) {
            m_live->highlighter().remarkAll();
        }
        m_prompter.inform(SpellTitle, text);
    }

    void WritingAids::lookUpSelection()
    {
        const QString word = writing::trimLookupWord(m_editor.selText());
        if (word.isEmpty()) {
            m_prompter.ask({ThesaurusTitle,
                            QStringLiteral("Please highlight word you desire to look up!"),
                            PromptIcon::Question,
                            PromptButtons::Ok,
                            {}});
            return;
        }
        m_editor.select(m_editor.selStart(), int(word.size()));
        writing::Thesaurus* words = thesaurus();
        if (!words) {
            return;
        }
        QList<SynonymGroup> groups;
        for (const writing::Meaning& meaning : words->lookUp(word)) {
            SynonymGroup group{meaning.description, {}};
            for (const QString& synonym : meaning.synonyms) {
                const QString plain = writing::synonymAsReplacement(synonym);
                if (!plain.isEmpty() && !group.synonyms.contains(plain)) {
                    group.synonyms.append(plain);
                }
            }
            groups.append(group);
        }
        std::optional<QString> chosen;
        {
            const SelectionShown shown(m_editor);
            chosen = m_dialogs.chooseSynonym(word, groups);
        }
        if (!chosen || chosen->isEmpty()) {
            return;
        }
        m_editor.setSelText(*chosen);
    }

    void WritingAids::selectFont()
    {
        const int start = m_editor.selStart();
        const int length = m_editor.selLength();
        // A selection that mixes values is offered with the values of its first character.
        QTextCursor first = m_editor.textCursor();
        first.setPosition(start);
        if (length > 0) {
            first.setPosition(start + 1);
        }
        const QFont firstFont = first.charFormat().font();
        FontChoice initial;
        initial.font = m_editor.font();
        initial.font.setFamily(m_editor.selFontName().value_or(firstFont.family()));
        initial.font.setPointSizeF(m_editor.selFontSize().value_or(
            firstFont.pointSizeF() > 0 ? firstFont.pointSizeF() : m_editor.font().pointSizeF()));
        initial.font.setBold(m_editor.selBold().value_or(firstFont.bold()));
        initial.font.setItalic(m_editor.selItalic().value_or(firstFont.italic()));
        initial.font.setUnderline(m_editor.selUnderline().value_or(firstFont.underline()));
        initial.font.setStrikeOut(m_editor.selStrikethrough().value_or(firstFont.strikeOut()));
        initial.color = m_editor.selColor().value_or(m_editor.palette().color(QPalette::Text));

        std::optional<FontChoice> chosen;
        {
            const SelectionShown shown(m_editor);
            chosen = m_dialogs.chooseFont(initial);
        }
        if (!chosen) {
            return;
        }
        m_editor.select(start, length);
        QTextCharFormat format;
        format.setFontFamilies(QStringList{chosen->font.family()});
        if (chosen->font.pointSizeF() > 0) {
            format.setFontPointSize(chosen->font.pointSizeF());
        }
        format.setFontWeight(chosen->font.bold() ? QFont::Bold : QFont::Normal);
        format.setFontItalic(chosen->font.italic());
        format.setFontUnderline(chosen->font.underline());
        format.setFontStrikeOut(chosen->font.strikeOut());
        format.setForeground(chosen->color);
        // One merge, so the pane announces one change; with nothing selected it sets the format of
        // the text typed next.
        m_editor.mergeCurrentCharFormat(format);
        m_editor.setFocus();
    }

} // namespace qv

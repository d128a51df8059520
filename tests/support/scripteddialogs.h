#pragma once

#include "gui/kit/dialogs.h"

#include <QList>
#include <QQueue>
#include <QStringList>

namespace qv::test {

    // Dialogs for tests: records every dialog it is asked to show and answers from a queue the test
    // fills beforehand, one answer per dialog in the order they come; an empty answer is the user
    // pressing Cancel.
    //
    // A dialog with no answer queued, or of another kind than the next answer, fails the running
    // test at once (see failNow) and is cancelled. Answers left over when the object is destroyed
    // inside a test function fail that test too.
    class ScriptedDialogs : public Dialogs
    {
    public:
        enum class Kind
        {
            Color,
            Font,
            PageSetup,
            Folder,
            OpenFile,
            SaveFile,
            Printer,
            Spelling,
            Synonym
        };

        // One dialog as the program opened it, with what it was primed with.
        struct Call
        {
            Kind kind = Kind::Color;
            QColor color;
            FontChoice font;
            PageSetup page;
            QString title;
            QString path; // initial folder or file
            QString filter;
            int fromPage = 0; // the pages a printer dialog offered
            int toPage = 0;
            // The spell dialog's word and suggestions, or the thesaurus dialog's word and meanings.
            QString word;
            QStringList suggestions;
            QList<SynonymGroup> meanings;
            std::function<void()> help;
        };

        ScriptedDialogs() = default;
        ~ScriptedDialogs() override;
        ScriptedDialogs(const ScriptedDialogs&) = delete;
        ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

        ScriptedDialogs& answerColor(std::optional<QColor> color);
        ScriptedDialogs& answerFont(std::optional<FontChoice> font);
        ScriptedDialogs& answerPageSetup(std::optional<PageSetup> page);
        ScriptedDialogs& answerFolder(std::optional<QString> folder);
        ScriptedDialogs& answerOpenFile(std::optional<QString> file);
        ScriptedDialogs& answerSaveFile(std::optional<QString> file);
        // Choosing a printer: the printer is set to write a PDF into pdfOutputFile, so that a test can
        // print for real and read the pages back.
        ScriptedDialogs& answerPrinter(std::optional<QString> pdfOutputFile);
        ScriptedDialogs& answerSpelling(SpellAnswer::Action action, const QString& replacement = {});
        ScriptedDialogs& answerSynonym(std::optional<QString> word);
        // Runs while each dialog is open, before it is answered: to look at the screen behind it.
        void whileOpen(std::function<void(const Call&)> look);

        std::optional<QColor> chooseColor(const QColor& initial) override;
        std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
        std::optional<PageSetup> pageSetup(const PageSetup& initial) override;
        std::optional<QString> chooseFolder(const QString& title, const QString& initialFolder) override;
        std::optional<QString>
        chooseOpenFile(const QString& title, const QString& initialFolder, const QString& filter) override;
        std::optional<QString>
        chooseSaveFile(const QString& title, const QString& initialPath, const QString& filter) override;
        bool choosePrinter(QPrinter& printer) override;
        SpellAnswer reviewSpelling(const SpellQuestion& question) override;
        std::optional<QString> chooseSynonym(const QString& word, const QList<SynonymGroup>& meanings) override;

        const QList<Call>& calls() const;
        int pendingAnswers() const;
        const QStringList& failures() const;

        static QString describe(Kind kind);

    private:
        struct Answer
        {
            Kind kind = Kind::Color;
            bool cancelled = true;
            QColor color;
            FontChoice font;
            PageSetup page;
            QString path;
            SpellAnswer spelling;
        };

        ScriptedDialogs& answerPath(Kind kind, std::optional<QString> path);
        // The queued answer for call, or nothing when the dialog was not expected.
        std::optional<Answer> take(const Call& call);
        // The path answered for call; nothing when it was cancelled or not expected.
        std::optional<QString> takePath(const Call& call);

        QQueue<Answer> m_answers;
        QList<Call> m_calls;
        QStringList m_failures;
        std::function<void(const Call&)> m_whileOpen;
    };

} // namespace qv::test

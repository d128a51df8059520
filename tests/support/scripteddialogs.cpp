#include "scripteddialogs.h"

#include "testfailure.h"

#include <QPrinter>

namespace qv::test {

    ScriptedDialogs::~ScriptedDialogs()
    {
        if (m_answers.isEmpty()) {
            return;
        }
        QStringList left;
        for (const Answer& a : std::as_const(m_answers)) {
            left.append(describe(a.kind));
        }
        failOnLeftovers(
            QStringLiteral("Answers queued for dialogs that never came: %1").arg(left.join(u", ")), __FILE__, __LINE__);
    }

    QString ScriptedDialogs::describe(Kind kind)
    {
        switch (kind) {
        case Kind::Color:
            return QStringLiteral("colour dialog");
        case Kind::Font:
            return QStringLiteral("font dialog");
        case Kind::PageSetup:
            return QStringLiteral("page set-up dialog");
        case Kind::Folder:
            return QStringLiteral("folder dialog");
        case Kind::OpenFile:
            return QStringLiteral("open-file dialog");
        case Kind::SaveFile:
            return QStringLiteral("save-file dialog");
        case Kind::Printer:
            return QStringLiteral("print dialog");
        case Kind::Spelling:
            return QStringLiteral("spell dialog");
        case Kind::Synonym:
            return QStringLiteral("thesaurus dialog");
        }
        return QString();
    }

    ScriptedDialogs& ScriptedDialogs::answerColor(std::optional<QColor> color)
    {
        Answer a;
        a.kind = Kind::Color;
        a.cancelled = !color;
        a.color = color.value_or(QColor());
        m_answers.enqueue(a);
        return *this;
    }

    ScriptedDialogs& ScriptedDialogs::answerFont(std::optional<FontChoice> font)
    {
        Answer a;
        a.kind = Kind::Font;
        a.cancelled = !font;
        a.font = font.value_or(FontChoice());
        m_answers.enqueue(a);
        return *this;
    }

    ScriptedDialogs& ScriptedDialogs::answerPageSetup(std::optional<PageSetup> page)
    {
        Answer a;
        a.kind = Kind::PageSetup;
        a.cancelled = !page;
        a.page = page.value_or(PageSetup());
        m_answers.enqueue(a);
        return *this;
    }

    // The dialogs whose answer is a path or a word, cancelled when there is none.
    ScriptedDialogs& ScriptedDialogs::answerPath(Kind kind, std::optional<QString> path)
    {
        Answer a;
        a.kind = kind;
        a.cancelled = !path;
        a.path = path.value_or(QString());
        m_answers.enqueue(a);
        return *this;
    }

    ScriptedDialogs& ScriptedDialogs::answerFolder(std::optional<QString> folder)
    {
        return answerPath(Kind::Folder, std::move(folder));
    }

    ScriptedDialogs& ScriptedDialogs::answerOpenFile(std::optional<QString> file)
    {
        return answerPath(Kind::OpenFile, std::move(file));
    }

    ScriptedDialogs& ScriptedDialogs::answerSaveFile(std::optional<QString> file)
    {
        return answerPath(Kind::SaveFile, std::move(file));
    }

    ScriptedDialogs& ScriptedDialogs::answerPrinter(std::optional<QString> pdfOutputFile)
    {
        return answerPath(Kind::Printer, std::move(pdfOutputFile));
    }

    ScriptedDialogs& ScriptedDialogs::answerSpelling(SpellAnswer::Action action, const QString& replacement)
    {
        Answer a;
        a.kind = Kind::Spelling;
        a.cancelled = action == SpellAnswer::Action::Cancel;
        a.spelling = {action, replacement};
        m_answers.enqueue(a);
        return *this;
    }

    ScriptedDialogs& ScriptedDialogs::answerSynonym(std::optional<QString> word)
    {
        return answerPath(Kind::Synonym, std::move(word));
    }

    void ScriptedDialogs::whileOpen(std::function<void(const Call&)> look)
    {
        m_whileOpen = std::move(look);
    }

    std::optional<ScriptedDialogs::Answer> ScriptedDialogs::take(const Call& call)
    {
        m_calls.append(call);
        if (m_whileOpen) {
            m_whileOpen(call);
        }
        QString failure;
        if (m_answers.isEmpty()) {
            failure = QStringLiteral("Unexpected %1").arg(describe(call.kind));
        } else if (m_answers.head().kind != call.kind) {
            failure = QStringLiteral("An answer to a %1 was queued, but a %2 came")
                          .arg(describe(m_answers.head().kind), describe(call.kind));
            m_answers.dequeue();
        } else {
            return m_answers.dequeue();
        }
        if (!call.title.isEmpty()) {
            failure += QStringLiteral(" (\"%1\")").arg(call.title);
        }
        m_failures.append(failure);
        failNow(failure, __FILE__, __LINE__);
        return std::nullopt;
    }

    std::optional<QColor> ScriptedDialogs::chooseColor(const QColor& initial)
    {
        Call call;
        call.kind = Kind::Color;
        call.color = initial;
        const auto a = take(call);
        if (!a || a->cancelled) {
            return std::nullopt;
        }
        return a->color;
    }

    std::optional<FontChoice> ScriptedDialogs::chooseFont(const FontChoice& initial)
    {
        Call call;
        call.kind = Kind::Font;
        call.font = initial;
        const auto a = take(call);
        if (!a || a->cancelled) {
            return std::nullopt;
        }
        return a->font;
    }

    std::optional<PageSetup> ScriptedDialogs::pageSetup(const PageSetup& initial)
    {
        Call call;
        call.kind = Kind::PageSetup;
        call.page = initial;
        const auto a = take(call);
        if (!a || a->cancelled) {
            return std::nullopt;
        }
        return a->page;
    }

    std::optional<QString> ScriptedDialogs::chooseFolder(const QString& title, const QString& initialFolder)
    {
        Call call;
        call.kind = Kind::Folder;
        call.title = title;
        call.path = initialFolder;
        return takePath(call);
    }

    std::optional<QString>
    ScriptedDialogs::chooseOpenFile(const QString& title, const QString& initialFolder, const QString& filter)
    {
        Call call;
        call.kind = Kind::OpenFile;
        call.title = title;
        call.path = initialFolder;
        call.filter = filter;
        return takePath(call);
    }

    std::optional<QString>
    ScriptedDialogs::chooseSaveFile(const QString& title, const QString& initialPath, const QString& filter)
    {
        Call call;
        call.kind = Kind::SaveFile;
        call.title = title;
        call.path = initialPath;
        call.filter = filter;
        return takePath(call);
    }

    bool ScriptedDialogs::choosePrinter(QPrinter& printer)
    {
        Call call;
        call.kind = Kind::Printer;
        call.fromPage = printer.fromPage();
        call.toPage = printer.toPage();
        const auto a = take(call);
        if (!a || a->cancelled) {
            return false;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(a->path);
        return true;
    }

    SpellAnswer ScriptedDialogs::reviewSpelling(const SpellQuestion& question)
    {
        Call call;
        call.kind = Kind::Spelling;
        call.title = question.word;
        call.word = question.word;
        call.suggestions = question.suggestions;
        call.help = question.help;
        const auto a = take(call);
        if (!a || a->cancelled) {
            return {SpellAnswer::Action::Cancel, {}};
        }
        return a->spelling;
    }

    std::optional<QString> ScriptedDialogs::chooseSynonym(const QString& word, const QList<SynonymGroup>& meanings)
    {
        Call call;
        call.kind = Kind::Synonym;
        call.title = word;
        call.word = word;
        call.meanings = meanings;
        return takePath(call);
    }

    std::optional<QString> ScriptedDialogs::takePath(const Call& call)
    {
        const auto a = take(call);
        if (!a || a->cancelled) {
            return std::nullopt;
        }
        return a->path;
    }

    const QList<ScriptedDialogs::Call>& ScriptedDialogs::calls() const
    {
        return m_calls;
    }

    int ScriptedDialogs::pendingAnswers() const
    {
        return static_cast<int>(m_answers.size());
    }

    const QStringList& ScriptedDialogs::failures() const
    {
        return m_failures;
    }

} // namespace qv::test

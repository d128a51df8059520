#include "notesreport.h"

#include "core/catalogue/emphasis.h"
#include "core/rtf/richtextfile.h"
#include "core/storage/programfolder.h"
#include "pageengine.h"

#include <QStringList>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace qv {

    namespace {

        constexpr NotesPane RulePanes[] = {NotesPane::Specification, NotesPane::References, NotesPane::Information};

        const QTextDocument* pane(const NotesReportInput& input, NotesPane which)
        {
            return input.panes.at(static_cast<std::size_t>(which));
        }

        bool printsPane(const NotesReportInput& input, NotesPane which)
        {
            return input.ticked.at(static_cast<std::size_t>(which)) && !isBlank(pane(input, which));
        }

        // The rule texts end with a paragraph mark of their own; left on, it would widen the one empty
        // line that separates them in the block.
        QString withoutTrailingBreaks(QString text)
        {
            while (!text.isEmpty() && text.back().isSpace())
                text.chop(1);
            return text;
        }

        void printSection(PageEngine& engine, NotesPane which, const QTextDocument& doc)
        {
            engine.paragraph(notesHeading(which));
            engine.paragraph(QStringLiteral(" "));
            engine.richParagraph(doc);
        }

    } // namespace

    bool isBlank(const QTextDocument* doc)
    {
        return !doc || doc->toPlainText().trimmed().isEmpty();
    }

    std::optional<TickRefusal>
    tickRefusal(NotesPane pane, const QTextDocument* doc, bool overviewEntry, const QString& name)
    {
        switch (pane) {
        case NotesPane::Specification:
            if (overviewEntry) {
                return TickRefusal{QStringLiteral("Action Taken"),
                                   QStringLiteral("No Implementation specification is available for ") + name + u'!'};
            }
            break;
        case NotesPane::ActionTaken:
            if (isBlank(doc)) {
                return TickRefusal{QStringLiteral("Action Taken"),
                                   QStringLiteral("No Action Taken entries were found for ") + name + u'!'};
            }
            break;
        case NotesPane::Comments:
            if (isBlank(doc)) {
                return TickRefusal{QStringLiteral("Comments/Notes"),
                                   QStringLiteral("No Comments/Notes were found for ") + name + u'!'};
            }
            break;
        case NotesPane::Policies:
            if (isBlank(doc)) {
                return TickRefusal{QStringLiteral("Policies and Procedures"),
                                   QStringLiteral("No Policies and Procedures/Plan were found for ") + name + u'!'};
            }
            break;
        case NotesPane::References:
        case NotesPane::Information:
            break;
        }
        return std::nullopt;
    }

    std::unique_ptr<QTextDocument> composeRuleBlock(const NotesReportInput& input, const PrintSettings& settings)
    {
        auto block = std::make_unique<QTextDocument>();
        block->setDefaultFont(settings.font());
        QStringList texts;
        for (const NotesPane which : RulePanes) {
            if (printsPane(input, which))
                texts.append(withoutTrailingBreaks(pane(input, which)->toPlainText()));
        }
        if (texts.isEmpty())
            return block;

        QTextCharFormat format;
        format.setFont(settings.font());
        format.setForeground(settings.color);
        QTextCursor cursor(block.get());
        cursor.insertText(texts.join(QStringLiteral("\n\n")), format);
        cursor.select(QTextCursor::Document);
        cursor.setCharFormat(format);
        applyEmphasis(*block, input.emphasis);
        return block;
    }

    QString notesHeading(NotesPane pane)
    {
        switch (pane) {
        case NotesPane::ActionTaken:
            return QStringLiteral("Action Taken:");
        case NotesPane::Comments:
            return QStringLiteral("Comments/Notes:");
        case NotesPane::Policies:
            return QStringLiteral("Policies and Procedures/Plan:");
        case NotesPane::Specification:
        case NotesPane::References:
        case NotesPane::Information:
            break;
        }
        return QString();
    }

    void composeNotesReport(PageEngine& engine, const PrintSettings& settings, const NotesReportInput& input)
    {
        const std::unique_ptr<QTextDocument> rules = composeRuleBlock(input, settings);
        beginReport(engine, settings);
        if (!isBlank(rules.get())) {
            engine.richParagraph(*rules);
            engine.paragraph(QStringLiteral(" "));
        }
        for (const NotesPane which : {NotesPane::ActionTaken, NotesPane::Comments}) {
            if (printsPane(input, which)) {
                printSection(engine, which, *pane(input, which));
                engine.paragraph(QStringLiteral(" "));
            }
        }
        if (printsPane(input, NotesPane::Policies)) {
            // A heading left alone at the foot of a page would be parted from its text.
            if (engine.currentY() > engine.pageHeight() - PolicyNewPageZone)
                engine.newPage();
            printSection(engine, NotesPane::Policies, *pane(input, NotesPane::Policies));
        }
        engine.endDoc();
    }

    void composeSingleDocument(PageEngine& engine, const PrintSettings& settings, const QTextDocument& doc)
    {
        beginReport(engine, settings);
        engine.richParagraph(doc);
        engine.endDoc();
    }

    int composeAllPolicies(PageEngine& engine,
                           const PrintSettings& settings,
                           const ProgramFolder& folder,
                           const PolicyProgress& progress)
    {
        beginReport(engine, settings);
        int printed = 0;
        QTextDocument buffer;
        for (int n = 0; n <= AllPoliciesLast; ++n) {
            if (progress)
                progress(n);
            const QString name = QStringLiteral("Policy%1.Fil").arg(n);
            // An unreadable file counts as an empty policy; the print goes on with the next.
            const Result<LoadOutcome> loaded = loadRichText(folder, name, ProgramFolder::Place::Data, buffer);
            if (!loaded || loaded.value() != LoadOutcome::Loaded || isBlank(&buffer))
                continue;
            if (printed > 0)
                engine.newPage();
            engine.richParagraph(buffer);
            ++printed;
        }
        engine.endDoc();
        return printed;
    }

} // namespace qv

// The writing aids users wait on: the spell check of a long document (the dialog answered by a
// script, so only the program's own work is timed), the live marks of one paragraph while typing,
// and a thesaurus lookup.

#include "core/writing/dictionaryfolders.h"
#include "core/writing/spellchecker.h"
#include "core/writing/spellengine.h"
#include "core/writing/thesaurus.h"
#include "gui/writing/livespelling.h"

#include <QApplication>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "benchmain.h"

#include <benchmark/benchmark.h>

namespace {

    using namespace qv::writing;

    // Policy prose with what users really get wrong: listed misspellings now and then, and a few
    // words no dictionary knows (names, codes, slips of the hand).
    const QStringList Sentences = {
        QStringLiteral("All workforce members must choose a password of at least twelve characters."),
        QStringLiteral("The security officer reviews access to electronic protected health information each "
                       "quarter and keeps teh results with the risk analysis."),
        QStringLiteral("Backup tapes are stored offsite and tested alot more often than the contract requires."),
        QStringLiteral("Emergency access procedures are documented, and every recieve of a request is logged."),
        QStringLiteral("Quorvane keeps the workbook; the Zentrix server holds the audit logs for six years."),
        QStringLiteral("Contingency plans are reviewed annually and after every incident of significance."),
        QStringLiteral("Workstations lock after ten minutes without use, and screens face away from visitors."),
        QStringLiteral("Their are written procedures for disposal of media that held health information."),
    };

    QString document(int words)
    {
        QStringList paragraphs;
        QString paragraph;
        int count = 0;
        for (int i = 0; count < words; ++i) {
            const QString& sentence = Sentences.at(i % Sentences.size());
            paragraph += sentence + u' ';
            count += int(sentence.count(u' ')) + 1;
            if (i % 5 == 4) {
                paragraphs.append(paragraph.trimmed());
                paragraph.clear();
            }
        }
        paragraphs.append(paragraph.trimmed());
        return paragraphs.join(u'\n');
    }

    std::shared_ptr<SpellEngine> engine()
    {
        static const std::shared_ptr<SpellEngine> opened = [] {
            auto e = SpellEngine::open(standardSpellFolders());
            return e ? std::move(e).value() : nullptr;
        }();
        return opened;
    }

    void BM_SpellCheckDocument(benchmark::State& state)
    {
        if (!engine()) {
            state.SkipWithError("no English (US) Hunspell dictionary");
            return;
        }
        const QString text = document(int(state.range(0)));
        int questions = 0;
        int changes = 0;
        for (auto _ : state) {
            state.PauseTiming();
            QTextDocument doc;
            doc.setPlainText(text);
            // A new checker each time, as each session starts with only the auto-corrections.
            SpellChecker checker(engine());
            questions = 0;
            state.ResumeTiming();
            const SpellCheckOutcome outcome = checker.check(doc, [&](const Misspelling& word) {
                ++questions;
                // The user ignores the names for good and changes what is wrong everywhere.
                if (word.word.front().isUpper()) {
                    return SpellDecision{SpellDecision::Kind::IgnoreAll, {}};
                }
                return SpellDecision{SpellDecision::Kind::ChangeAll, word.suggestions.value(0, word.word)};
            });
            changes = outcome.changes;
        }
        state.counters["questions"] = questions;
        state.counters["changes"] = changes;
    }

    // One paragraph of about 120 words, marked as the user types a letter at its end and takes it
    // back again: each keystroke marks the whole paragraph anew.
    void BM_LiveMarksWhileTyping(benchmark::State& state)
    {
        if (!engine()) {
            state.SkipWithError("no English (US) Hunspell dictionary");
            return;
        }
        QTextDocument doc;
        doc.setPlainText(document(120).replace(u'\n', u' '));
        qv::SpellHighlighter marks(
            &doc, [] { return engine().get(); }, [] { return nullptr; });
        marks.setActive(true);
        QTextCursor cursor(&doc);
        cursor.movePosition(QTextCursor::End);
        for (auto _ : state) {
            cursor.insertText(QStringLiteral("x"));
            cursor.deletePreviousChar();
        }
        state.SetItemsProcessed(state.iterations() * 2);
        state.counters["marked"] = double(marks.marksIn(doc.begin()).size());
    }

    // The same paragraph marked from nothing, as when the pane becomes editable or learns a word.
    void BM_LiveMarksFirstTime(benchmark::State& state)
    {
        if (!engine()) {
            state.SkipWithError("no English (US) Hunspell dictionary");
            return;
        }
        QTextDocument doc;
        doc.setPlainText(document(120).replace(u'\n', u' '));
        qv::SpellHighlighter marks(
            &doc, [] { return engine().get(); }, [] { return nullptr; });
        marks.setActive(true);
        for (auto _ : state) {
            marks.remarkAll();
        }
    }

    void BM_ThesaurusLookup(benchmark::State& state)
    {
        const auto thesaurus = Thesaurus::open(standardThesaurusFolders());
        if (!thesaurus) {
            state.SkipWithError("no English (US) MyThes thesaurus");
            return;
        }
        const QStringList words = {QStringLiteral("security"),
                                   QStringLiteral("policy"),
                                   QStringLiteral("access"),
                                   QStringLiteral("Review"),
                                   QStringLiteral("plan"),
                                   QStringLiteral("information")};
        qsizetype i = 0;
        qsizetype meanings = 0;
        for (auto _ : state) {
            meanings = thesaurus.value()->lookUp(words.at(i++ % words.size())).size();
            benchmark::DoNotOptimize(meanings);
        }
    }

    BENCHMARK(BM_SpellCheckDocument)->Arg(10000)->Unit(benchmark::kMillisecond);
    BENCHMARK(BM_LiveMarksWhileTyping)->Unit(benchmark::kMicrosecond);
    BENCHMARK(BM_LiveMarksFirstTime)->Unit(benchmark::kMicrosecond);
    BENCHMARK(BM_ThesaurusLookup)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qv::bench::preferOffscreen();
    QApplication app(argc, argv);
    return qv::bench::runBenchmarks(argc, argv);
}

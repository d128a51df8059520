#include "core/rtf/rtfreader.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>

#include <algorithm>

using namespace Qt::StringLiterals;

// The reference library's own documents. Their quotations of the rule must be the rule's words, and
// the filled-in risk-analysis samples, which teach the worksheet's method by example, must follow
// that method: a sample that contradicts it teaches the reader to rate wrongly.

namespace {

    const QString ContentDir = QStringLiteral(QUORVANE_CONTENT_DIR);

    using Table = QList<QStringList>; // rows of cell texts, the heading row first

    bool load(const QString& name, QTextDocument& doc)
    {
        QFile file(ContentDir + u'/' + name);
        return file.open(QIODevice::ReadOnly) && qv::rtf::read(file.readAll(), doc);
    }

    // The first table whose heading row starts with the given cells.
    Table table(const QTextDocument& doc, const QStringList& headingStart)
    {
        for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
            const auto* t = qobject_cast<QTextTable*>(frame);
            if (!t) {
                continue;
            }
            Table rows;
            for (int r = 0; r < t->rows(); ++r) {
                QStringList cells;
                for (int c = 0; c < t->columns(); ++c) {
                    const QTextTableCell cell = t->cellAt(r, c);
                    QTextCursor cursor = cell.firstCursorPosition();
                    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                    cells.append(cursor.selectedText().trimmed());
                }
                rows.append(cells);
            }
            if (!rows.isEmpty() && rows.first().mid(0, headingStart.size()) == headingStart) {
                return rows;
            }
        }
        return {};
    }

    // The worksheet's scale: a score of 1-2 is Low, 3-4 Medium, 6-9 High.
    QString levelOf(int score)
    {
        return score <= 2 ? u"Low"_s : score <= 4 ? u"Medium"_s : u"High"_s;
    }

    int rank(const QString& level)
    {
        return QStringList{u"Low"_s, u"Medium"_s, u"High"_s}.indexOf(level);
    }

    // The rule's paragraphs, one a line in the official text; lines starting with "#" are notes.
    QStringList ruleParagraphs()
    {
        QFile file(QStringLiteral(QUORVANE_TEST_DATA "/law/45cfr164-subpartC.txt"));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        QStringList paragraphs;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            if (!line.startsWith(u'#') && !line.trimmed().isEmpty()) {
                paragraphs.append(line.simplified());
            }
        }
        return paragraphs;
    }

    QString paragraphsText(const QTextDocument& doc)
    {
        return doc.toPlainText().replace(QChar::ParagraphSeparator, u'\n');
    }

} // namespace

class LibraryContentTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void quotesTheRuleWordForWord();
    void samplesFollowTheMethod_data();
    void samplesFollowTheMethod();
    void guideShowsTheWorksheetsMatrix();
};

// Every passage of eight words or more in typographic quotes is the rule's text; shorter quotes are
// the program's own messages and captions.
void LibraryContentTest::quotesTheRuleWordForWord()
{
    const QStringList rule = ruleParagraphs();
    QVERIFY(rule.size() > 100);

    static const QRegularExpression quoted(u"\u201C([^\u201D]+)\u201D"_s);
    int checked = 0;
    for (const QString& name : {u"Misc0.Fl1"_s,
                                u"Misc3.Fl1"_s,
                                u"Misc4.Fl1"_s,
                                u"Misc5.Fl1"_s,
                                u"Misc6.Fl1"_s,
                                u"Misc7.Fl1"_s,
                                u"Misc8.Fl1"_s,
                                u"Misc9.Fl1"_s,
                                u"Misc10.Fl1"_s,
                                u"Misc11.Fl1"_s,
                                u"Misc12.Fl1"_s,
                                u"Misc13.Fl1"_s,
                                u"Misc58.Fl1"_s,
                                u"HITECH1.Fl1"_s,
                                u"HITECH2.Fl1"_s}) {
        QTextDocument doc;
        QVERIFY2(load(name, doc), qPrintable(name + u" is missing or unreadable"_s));
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            for (const QRegularExpressionMatch& m : quoted.globalMatch(block.text())) {
                const QString quote = m.captured(1).simplified().replace(u'\u2019', u'\'');
                if (quote.count(u' ') < 7) {
                    continue;
                }
                const bool found = std::any_of(
                    rule.cbegin(), rule.cend(), [&](const QString& paragraph) { return paragraph.contains(quote); });
                QVERIFY2(found, qPrintable(name + u": not the rule's words: "_s + quote));
                ++checked;
            }
        }
    }
    // The documents quote the rule throughout; finding few quotations means they were not seen.
    QVERIFY2(checked > 20, qPrintable(u"only %1 quotations found"_s.arg(checked)));
}

void LibraryContentTest::samplesFollowTheMethod_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("sample 1") << u"Wksht1.Fl1"_s;
    QTest::newRow("sample 2") << u"Wksht2.Fl1"_s;
}

void LibraryContentTest::samplesFollowTheMethod()
{
    QFETCH(QString, name);
    QTextDocument sample;
    QVERIFY2(load(name, sample), qPrintable(name + u" is missing or unreadable"_s));
    QTextDocument worksheet;
    QVERIFY(load(u"Misc59.Fl1"_s, worksheet));

    // The sample states the worksheet's own rule, word for word.
    const QString rule = u"Risk level = Likelihood × Impact: a score of 1–2 is Low, 3–4 is Medium, 6–9 is High."_s;
    QVERIFY(paragraphsText(worksheet).contains(rule));
    QVERIFY2(paragraphsText(sample).contains(rule), "the sample does not state the worksheet's rating rule");

    // Every risk is rated on the scale, and its score and level follow from the ratings.
    const Table risks = table(sample, {u"#"_s, u"Threat"_s, u"Vulnerability (weakness)"_s});
    QVERIFY2(risks.size() > 5, "too few risks, or no risk table");
    QHash<QString, QString> levels; // risk number -> level
    for (const QStringList& row : risks.mid(1)) {
        QCOMPARE(row.size(), 7);
        bool ok[3] = {};
        const int likelihood = row[3].toInt(&ok[0]);
        const int impact = row[4].toInt(&ok[1]);
        const int score = row[5].toInt(&ok[2]);
        const QString at = u"risk "_s + row[0];
        QVERIFY2(ok[0] && ok[1] && ok[2], qPrintable(at + u": a rating is not a number"_s));
        QVERIFY2(likelihood >= 1 && likelihood <= 3 && impact >= 1 && impact <= 3, qPrintable(at));
        QVERIFY2(score == likelihood * impact, qPrintable(at + u": score is not likelihood × impact"_s));
        QVERIFY2(row[6] == levelOf(score), qPrintable(at + u": level does not match its score"_s));
        QVERIFY2(!levels.contains(row[0]), qPrintable(at + u" is listed twice"_s));
        levels.insert(row[0], row[6]);
    }

    // Medium and High risks get a planned action; an action lowers a risk or leaves its level.
    const Table actions = table(sample, {u"Action #"_s, u"Risk #"_s, u"Planned action"_s});
    QVERIFY2(actions.size() > 1, "no planned actions");
    QSet<QString> handled;
    for (const QStringList& row : actions.mid(1)) {
        QVERIFY2(levels.contains(row[1]), qPrintable(u"action "_s + row[0] + u" names no listed risk"_s));
        QVERIFY2(rank(row.constLast()) >= 0 && rank(row.constLast()) <= rank(levels[row[1]]),
                 qPrintable(u"action "_s + row[0] + u" leaves the risk higher than it found it"_s));
        handled.insert(row[1]);
    }

    // What is not acted on is accepted in writing, at the level it was rated.
    const Table accepted = table(sample, {u"Risk #"_s, u"Risk level"_s});
    for (const QStringList& row : accepted.mid(1)) {
        QVERIFY2(levels.value(row[0]) == row[1], qPrintable(u"accepted risk "_s + row[0] + u" changed level"_s));
        QVERIFY2(!row[2].isEmpty() && !row[3].isEmpty(),
                 qPrintable(u"accepted risk "_s + row[0] + u" has no reason"_s));
        handled.insert(row[0]);
    }
    for (auto it = levels.cbegin(); it != levels.cend(); ++it) {
        QVERIFY2(handled.contains(it.key()),
                 qPrintable(u"risk "_s + it.key() + u" is neither acted on nor accepted"_s));
        if (it.value() == u"High"_s) {
            bool acted = false;
            for (const QStringList& row : actions.mid(1)) {
                acted = acted || row[1] == it.key();
            }
            QVERIFY2(acted, qPrintable(u"High risk "_s + it.key() + u" has no planned action"_s));
        }
    }
}

// The guide to the worksheet shows its matrix; a guide that disagreed with the form would rate the
// same risk two ways.
void LibraryContentTest::guideShowsTheWorksheetsMatrix()
{
    QTextDocument guide;
    QTextDocument worksheet;
    QVERIFY(load(u"Misc58.Fl1"_s, guide));
    QVERIFY(load(u"Misc59.Fl1"_s, worksheet));
    const QStringList heading{u"Likelihood \\ Impact"_s};
    const Table matrix = table(worksheet, heading);
    QCOMPARE(matrix.size(), 4);
    QCOMPARE(table(guide, heading), matrix);
    for (const QStringList& row : matrix.mid(1)) {
        for (int c = 1; c < row.size(); ++c) {
            // "6 High": the score, then the level the rule gives it
            const QStringList cell = row[c].split(u' ');
            QCOMPARE(cell.value(1), levelOf(cell.value(0).toInt()));
        }
    }
}

QTEST_GUILESS_MAIN(LibraryContentTest)
#include "tst_librarycontent.moc"

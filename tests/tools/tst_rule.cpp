#include "core/rtf/rtfreader.h"

#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

using namespace Qt::StringLiterals;

// The Security Rule viewer's documents against the official text: a paragraph dropped, cut or
// reworded in the regulation sections would mislead the compliance officer who reads it there.

namespace {

    const QString ContentDir = QStringLiteral(QUORVANE_CONTENT_DIR);
    const QString AppendixTitle = u"Appendix A to Subpart C of Part 164"_s;

    struct Regulation
    {
        QStringList paragraphs; // section headings and paragraphs, in order
        QList<QStringList> matrix; // the appendix table: header row first, three cells a row
        QString matrixTitle;
    };

    // One paragraph a line; notes start with "#". The appendix is its title, then one table row a
    // line ("standard | section | specification"), a line without "|" being a group row.
    Regulation readRegulation()
    {
        QFile file(QStringLiteral(QUORVANE_TEST_DATA "/law/45cfr164-subpartC.txt"));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        Regulation regulation;
        bool inAppendix = false;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            const QString text = line.simplified();
            if (line.startsWith(u'#') || text.isEmpty()) {
                continue;
            }
            if (text.startsWith(AppendixTitle)) {
                inAppendix = true;
                regulation.matrixTitle = text;
                continue;
            }
            if (!inAppendix) {
                regulation.paragraphs.append(text);
                continue;
            }
            QStringList cells = line.split(u'|');
            for (QString& cell : cells) {
                cell = cell.simplified();
            }
            while (cells.size() < 3) {
                cells.append(QString());
            }
            regulation.matrix.append(cells);
        }
        return regulation;
    }

    bool load(const QString& name, QTextDocument& doc)
    {
        QFile file(ContentDir + u'/' + name);
        return file.open(QIODevice::ReadOnly) && qv::rtf::read(file.readAll(), doc);
    }

    QStringList blocks(const QTextDocument& doc)
    {
        QStringList texts;
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            if (const QString text = block.text().simplified(); !text.isEmpty()) {
                texts.append(text);
            }
        }
        return texts;
    }

    QString cellText(const QTextTableCell& cell)
    {
        QTextCursor cursor = cell.firstCursorPosition();
        cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        return cursor.selectedText().simplified();
    }

    // Every table of the document whose header row is the matrix's, cell texts row by row.
    QList<QList<QStringList>> matrices(const QTextDocument& doc, const QStringList& header)
    {
        QList<QList<QStringList>> found;
        for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
            const auto* table = qobject_cast<QTextTable*>(frame);
            if (!table) {
                continue;
            }
            QList<QStringList> rows;
            for (int r = 0; r < table->rows(); ++r) {
                QStringList cells;
                for (int c = 0; c < table->columns(); ++c) {
                    // A group row is one cell across the table; the columns it covers are empty.
                    const QTextTableCell cell = table->cellAt(r, c);
                    cells.append(cell.row() == r && cell.column() == c ? cellText(cell) : QString());
                }
                rows.append(cells);
            }
            if (rows.value(0) == header) {
                found.append(rows);
            }
        }
        return found;
    }

    // The preamble sections are summaries; the others quote the regulation or gather the sections.
    bool isSummary(int index)
    {
        return index != 0 && index != 18 && index != 23 && index != 24;
    }

} // namespace

class RuleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everySection_data();
    void everySection();
    void regulationVerbatim_data();
    void regulationVerbatim();
    void matrix_data();
    void matrix();

private:
    Regulation m_regulation;
};

void RuleTest::initTestCase()
{
    m_regulation = readRegulation();
    // Guards against a reading of the reference that would make the checks below pass vacuously.
    QVERIFY(m_regulation.paragraphs.size() > 150);
    QCOMPARE(m_regulation.paragraphs.first(), u"§ 164.302 Applicability."_s);
    QVERIFY(m_regulation.matrix.size() > 40);
}

void RuleTest::everySection_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i <= 24; ++i) {
        QTest::addRow("PR%d", i) << i;
    }
}

// Each section opens with its title; a summary says it is one and where the original is printed.
void RuleTest::everySection()
{
    QFETCH(int, index);

    QTextDocument doc;
    QVERIFY2(load(u"PR%1.Fl1"_s.arg(index), doc), "not installed or not readable");
    // A title is the house style's level-1 heading: Arial bold 16 pt.
    const QTextBlock first = doc.begin();
    QVERIFY(!first.text().trimmed().isEmpty());
    const QTextCharFormat format = first.begin().fragment().charFormat();
    QCOMPARE(format.fontPointSize(), 16.0);
    QVERIFY(format.fontWeight() >= QFont::Bold);
    if (isSummary(index)) {
        QVERIFY2(first.text().startsWith(u"Summary of the preamble: "_s), qPrintable(first.text()));
        QVERIFY(doc.toPlainText().contains(u"68 FR 8334, February 20, 2003"_s));
    }
}

void RuleTest::regulationVerbatim_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("provisions") << u"PR18.Fl1"_s;
    QTest::newRow("subpart C") << u"PR23.Fl1"_s;
    QTest::newRow("entire rule") << u"PR0.Fl1"_s;
}

// Every heading and paragraph of the official text is a paragraph of the document, word for word
// and in the official order.
void RuleTest::regulationVerbatim()
{
    QFETCH(QString, name);

    QTextDocument doc;
    QVERIFY(load(name, doc));
    const QStringList texts = blocks(doc);
    qsizetype at = 0;
    for (const QString& paragraph : std::as_const(m_regulation.paragraphs)) {
        const qsizetype found = texts.indexOf(paragraph, at);
        QVERIFY2(found >= 0, qPrintable(u"missing, altered or out of order: "_s + paragraph));
        at = found + 1;
    }
}

void RuleTest::matrix_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("matrix") << u"PR24.Fl1"_s;
    QTest::newRow("provisions") << u"PR18.Fl1"_s;
    QTest::newRow("subpart C") << u"PR23.Fl1"_s;
    QTest::newRow("entire rule") << u"PR0.Fl1"_s;
}

// The appendix is a real table with every row of the official one, group rows included.
void RuleTest::matrix()
{
    QFETCH(QString, name);

    QTextDocument doc;
    QVERIFY(load(name, doc));
    QVERIFY2(blocks(doc).contains(m_regulation.matrixTitle), qPrintable(m_regulation.matrixTitle));
    const QList<QList<QStringList>> tables = matrices(doc, m_regulation.matrix.first());
    QVERIFY2(!tables.isEmpty(), "no table with the matrix's header row");
    for (const QList<QStringList>& rows : tables) {
        QCOMPARE(rows, m_regulation.matrix);
    }
}

QTEST_GUILESS_MAIN(RuleTest)
#include "tst_rule.moc"

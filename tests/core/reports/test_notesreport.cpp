#include "test_reports.h"

#include "core/reports/notesreport.h"
#include "core/reports/pageengine.h"
#include "core/reports/printsettings.h"
#include "core/rtf/richtextfile.h"
#include "core/storage/programfolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <memory>
#include <optional>
#include <vector>

using namespace qv;
using namespace Qt::StringLiterals;

namespace {

    std::unique_ptr<QTextDocument> plainDoc(const QString& text)
    {
        auto doc = std::make_unique<QTextDocument>();
        doc->setPlainText(text);
        return doc;
    }

    QStringList blockTexts(const QTextDocument& doc)
    {
        QStringList texts;
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
            texts.append(block.text());
        return texts;
    }

    PrintSettings notesSettings()
    {
        PrintSettings settings;
        settings.fontName = u"Times New Roman"_s;
        settings.fontSize = 12;
        settings.margins = printpresets::NotesReport;
        return settings;
    }

    // Every string of the document with its page, in the order drawn.
    struct Printed
    {
        int page;
        PlacedText text;
    };

    QList<Printed> allPrinted(const PageDocument& doc)
    {
        QList<Printed> out;
        for (int p = 0; p < doc.pageCount(); ++p) {
            for (const PlacedText& text : doc.strings(p))
                out.append({p, text});
        }
        return out;
    }

    std::optional<Printed> find(const PageDocument& doc, const QString& text)
    {
        for (const Printed& printed : allPrinted(doc)) {
            if (printed.text.text == text)
                return printed;
        }
        return std::nullopt;
    }

    double plainLine(const PrintSettings& settings)
    {
        PageEngine engine;
        settings.applyFont(engine);
        return engine.lineHeight();
    }

    // A throw-away program folder with its data place.
    struct TempFolder
    {
        QTemporaryDir root;
        ProgramFolder folder{root.filePath(u"data"_s), root.filePath(u"content"_s)};

        bool ready() const
        {
            return root.isValid() && QDir(root.path()).mkpath(u"data"_s);
        }
    };

} // namespace

void TestReports::printerFontRules_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("replaceScreenFaces");
    // Faces the fake printer takes; "*" takes every face.
    QTest::addColumn<QStringList>("accepted");
    QTest::addColumn<QString>("expectedFace");
    QTest::addColumn<double>("expectedSize");

    const QStringList all{u"*"_s};
    QTest::addRow("kept") << u"Arial"_s << 11.0 << true << all << u"Arial"_s << 11.0;
    QTest::addRow("ms sans serif replaced") << u"MS Sans Serif"_s << 8.0 << true << all << u"Times New Roman"_s << 12.0;
    QTest::addRow("ms serif in other capitals") << u"ms serif"_s << 10.0 << true << all << u"Times New Roman"_s << 12.0;
    QTest::addRow("screen faces kept when asked")
        << u"MS Sans Serif"_s << 8.0 << false << all << u"MS Sans Serif"_s << 8.0;
    QTest::addRow("not a screen face by prefix")
        << u"MS Sans Serif Bold"_s << 9.0 << true << all << u"MS Sans Serif Bold"_s << 9.0;
    QTest::addRow("zero size") << u"Arial"_s << 0.0 << false << all << u"Arial"_s << 12.0;
    QTest::addRow("negative size") << u"Arial"_s << -4.0 << true << all << u"Arial"_s << 12.0;
    QTest::addRow("refused face") << u"Fancy Script"_s << 14.0 << true << QStringList{u"Times New Roman"_s}
                                  << u"Times New Roman"_s << 14.0;
    QTest::addRow("times refused too") << u"Fancy Script"_s << 14.0 << true << QStringList{} << u"Courier"_s << 14.0;
    QTest::addRow("replaced face refused")
        << u"MS Serif"_s << 9.0 << true << QStringList{u"Arial"_s} << u"Courier"_s << 12.0;
    QTest::addRow("accepted face kept") << u"Verdana"_s << 9.5 << true << QStringList{u"Verdana"_s} << u"Verdana"_s
                                        << 9.5;
}

void TestReports::printerFontRules()
{
    QFETCH(QString, face);
    QFETCH(double, size);
    QFETCH(bool, replaceScreenFaces);
    QFETCH(QStringList, accepted);
    QFETCH(QString, expectedFace);
    QFETCH(double, expectedSize);
    const auto accepts = [&accepted](const QString& f) { return accepted.contains(u"*"_s) || accepted.contains(f); };
    const PrinterFont chosen =
        printerFont(face, size, replaceScreenFaces ? ScreenFaces::Replace : ScreenFaces::Keep, accepts);
    QCOMPARE(chosen.face, expectedFace);
    QCOMPARE(chosen.size, expectedSize);
}

void TestReports::printableFaces_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<bool>("printable");
    QTest::addRow("installed") << u"Liberation Sans"_s << true;
    QTest::addRow("installed, other capitals") << u"liberation serif"_s << true;
    QTest::addRow("metric-compatible substitute") << u"Times New Roman"_s << true;
    QTest::addRow("mono substitute") << u"Courier New"_s << true;
    QTest::addRow("unknown") << u"Quorvane No Such Face"_s << false;
    QTest::addRow("empty") << QString() << false;
}

void TestReports::printableFaces()
{
    QFETCH(QString, face);
    QFETCH(bool, printable);
    QCOMPARE(isPrintableFace(face), printable);
}

void TestReports::beginReportAppliesTheSettings()
{
    PrintSettings settings;
    settings.fontName = u"Courier New"_s;
    settings.fontSize = 11;
    settings.bold = true;
    settings.italic = true;
    settings.underline = true;
    settings.strikeOut = true;
    settings.color = Qt::blue;
    settings.margins = PageMargins{720, 360, 540, 900};
    settings.orientation = PageOrientation::Landscape;

    PageEngine engine;
    engine.startDoc();
    engine.paragraph(u"left over from the last report"_s);
    beginReport(engine, settings);

    QVERIFY(engine.preview());
    QVERIFY(engine.isOpen());
    QCOMPARE(engine.pageCount(), 0);
    QCOMPARE(engine.margins(), settings.margins);
    QCOMPARE(engine.orientation(), PageOrientation::Landscape);
    QCOMPARE(engine.fontName(), u"Courier New"_s);
    QCOMPARE(engine.fontSize(), 11.0);
    QVERIFY(engine.fontBold() && engine.fontItalic() && engine.fontUnderline() && engine.fontStrikeThrough());
    QCOMPARE(engine.textColor(), QColor(Qt::blue));
    QCOMPARE(engine.lineColor(), QColor(Qt::blue));

    engine.paragraph(u"First line"_s);
    const QList<TextOp> texts = engine.document().texts(0);
    QCOMPARE(texts.size(), 1);
    QCOMPARE(texts.first().pos, QPointF(720, 360));
    QCOMPARE(engine.document().pageSize(), QSizeF(PageEngine::LetterHeight, PageEngine::LetterWidth));
}

void TestReports::settingsFontRoundTrip()
{
    QFont font(u"Liberation Sans"_s);
    font.setPointSizeF(14.5);
    font.setItalic(true);
    font.setStrikeOut(true);
    PrintSettings settings;
    settings.setFont(font);
    QCOMPARE(settings.fontName, u"Liberation Sans"_s);
    QCOMPARE(settings.fontSize, 14.5);
    QVERIFY(!settings.bold && settings.italic && !settings.underline && settings.strikeOut);
    QCOMPARE(settings.font().pointSizeF(), 14.5);
    QVERIFY(settings.font().strikeOut());

    QFont pixels(u"Liberation Sans"_s);
    pixels.setPixelSize(20);
    settings.setFont(pixels);
    QCOMPARE(settings.fontSize, 12.0);
}

void TestReports::ruleBlockJoinsTheTickedPanes_data()
{
    QTest::addColumn<QList<bool>>("ticked");
    // Panes 0 to 2 hold these texts; "-" is a pane left null.
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("blocks");

    const QStringList three{u"Alpha rule.\n"_s, u"Bravo one.\nBravo two."_s, u"Charlie information.\n\n"_s};
    QTest::addRow("all three")
        << QList<bool>{true, true, true} << three
        << QStringList{
               u"Alpha rule."_s, QString(), u"Bravo one."_s, u"Bravo two."_s, QString(), u"Charlie information."_s};
    QTest::addRow("first and last") << QList<bool>{true, false, true} << three
                                    << QStringList{u"Alpha rule."_s, QString(), u"Charlie information."_s};
    QTest::addRow("middle only") << QList<bool>{false, true, false} << three
                                 << QStringList{u"Bravo one."_s, u"Bravo two."_s};
    QTest::addRow("none ticked") << QList<bool>{false, false, false} << three << QStringList{QString()};
    QTest::addRow("blank pane left out") << QList<bool>{true, true, true}
                                         << QStringList{u"Alpha rule."_s, u"  \n "_s, u"Charlie information."_s}
                                         << QStringList{u"Alpha rule."_s, QString(), u"Charlie information."_s};
    QTest::addRow("null pane left out") << QList<bool>{true, true, false}
                                        << QStringList{u"-"_s, u"Bravo one."_s, u"-"_s} << QStringList{u"Bravo one."_s};
}

void TestReports::ruleBlockJoinsTheTickedPanes()
{
    QFETCH(QList<bool>, ticked);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, blocks);
    std::vector<std::unique_ptr<QTextDocument>> docs;
    NotesReportInput input;
    for (int i = 0; i < 3; ++i) {
        input.ticked.at(i) = ticked.at(i);
        if (texts.at(i) != u"-"_s) {
            docs.push_back(plainDoc(texts.at(i)));
            input.panes.at(i) = docs.back().get();
        }
    }
    // A ticked note pane never enters the rule block.
    const auto note = plainDoc(u"Delta action."_s);
    input.ticked.at(3) = true;
    input.panes.at(3) = note.get();

    const std::unique_ptr<QTextDocument> block = composeRuleBlock(input, notesSettings());
    QVERIFY(block);
    QCOMPARE(blockTexts(*block), blocks);
}

void TestReports::ruleBlockFormatAndEmphasis()
{
    const QString text = u"Risk analysis: the RISK of risky risk-taking.\nAn unrisk note on risk."_s;
    const auto specification = plainDoc(text);
    NotesReportInput input;
    input.ticked.at(0) = true;
    input.panes.at(0) = specification.get();
    input.emphasis = u"risk"_s;
    PrintSettings settings;
    settings.fontName = u"Liberation Mono"_s;
    settings.fontSize = 14;
    settings.italic = true;
    settings.strikeOut = true;
    settings.color = Qt::darkGreen;

    const std::unique_ptr<QTextDocument> block = composeRuleBlock(input, settings);
    QCOMPARE(block->toPlainText(), text);
    // The whole words, whatever their capitals; "risky" and "unrisk" are other words.
    const QList<qsizetype> starts{0, text.indexOf(u"RISK"_s), text.indexOf(u"risk-"_s), text.lastIndexOf(u"risk."_s)};
    QList<bool> setOff(text.size(), false);
    for (const qsizetype start : starts) {
        for (qsizetype i = start; i < start + 4; ++i)
            setOff[i] = true;
    }
    int characters = 0;
    for (QTextBlock b = block->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            QCOMPARE(format.fontFamilies().toStringList().value(0), u"Liberation Mono"_s);
            QCOMPARE(format.fontPointSize(), 14.0);
            QVERIFY(format.fontItalic());
            QVERIFY(format.fontStrikeOut());
            QCOMPARE(format.foreground().color(), QColor(Qt::darkGreen));
            for (int i = 0; i < fragment.length(); ++i) {
                const int at = fragment.position() + i;
                QVERIFY2(format.fontUnderline() == setOff.at(at) &&
                             (format.fontWeight() == QFont::Bold) == setOff.at(at),
                         qPrintable(u"character %1 of \"%2\""_s.arg(at).arg(text)));
                ++characters;
            }
        }
    }
    // Every character but the paragraph break was looked at.
    QCOMPARE(characters, text.size() - 1);
}

void TestReports::notesReportOrder()
{
    const QStringList texts{u"Alpha rule text."_s,
                            u"Bravo references."_s,
                            u"Charlie information."_s,
                            u"Delta action."_s,
                            u"Echo comment."_s,
                            u"Foxtrot policy."_s};
    std::vector<std::unique_ptr<QTextDocument>> docs;
    NotesReportInput input;
    for (int i = 0; i < NotesPaneCount; ++i) {
        docs.push_back(plainDoc(texts.at(i)));
        input.panes.at(i) = docs.back().get();
        input.ticked.at(i) = true;
    }
    const PrintSettings settings = notesSettings();
    PageEngine engine;
    composeNotesReport(engine, settings, input);
    QVERIFY(!engine.isOpen());
    QCOMPARE(engine.pageCount(), 1);

    const QList<PlacedText> printed = engine.document().strings(0);
    QStringList order;
    for (const PlacedText& p : printed)
        order.append(p.text);
    QCOMPARE(order,
             (QStringList{texts.at(0),
                          texts.at(1),
                          texts.at(2),
                          u"Action Taken:"_s,
                          texts.at(3),
                          u"Comments/Notes:"_s,
                          texts.at(4),
                          u"Policies and Procedures/Plan:"_s,
                          texts.at(5)}));
    QCOMPARE(printed.first().rect.left(), 350.0);
    QVERIFY(printed.first().rect.top() >= 300 && printed.first().rect.top() < 300 + 100);
    QVERIFY(printed.first().rich);
    QVERIFY(!printed.at(3).rich);
    QVERIFY(printed.at(4).rich);

    // The rule texts stand one empty line apart; each heading has an empty line below it, each
    // note section one after it.
    const double line = plainLine(settings);
    QVERIFY(printed.at(1).rect.top() - printed.at(0).rect.top() > 1.5 * line);
    QVERIFY(printed.at(1).rect.top() - printed.at(0).rect.top() < 2.5 * line);
    for (const int heading : {3, 5, 7}) {
        const double below = printed.at(heading + 1).rect.top() - printed.at(heading).rect.top();
        QVERIFY2(below >= 2 * line - 1 && below < 2.5 * line, qPrintable(QString::number(below)));
    }
    const double afterNote = printed.at(5).rect.top() - printed.at(4).rect.bottom();
    QVERIFY2(afterNote >= line - 1 && afterNote < 1.5 * line, qPrintable(QString::number(afterNote)));
}

void TestReports::tickRefusals_data()
{
    QTest::addColumn<int>("pane");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("overview");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::newRow("blank action taken") << int(NotesPane::ActionTaken) << u" \n\t "_s << false << u"Action Taken"_s
                                        << u"No Action Taken entries were found for Password Management!"_s;
    QTest::newRow("blank comments") << int(NotesPane::Comments) << QString() << false << u"Comments/Notes"_s
                                    << u"No Comments/Notes were found for Password Management!"_s;
    QTest::newRow("blank policy") << int(NotesPane::Policies) << QString() << false << u"Policies and Procedures"_s
                                  << u"No Policies and Procedures/Plan were found for Password Management!"_s;
    QTest::newRow("overview specification")
        << int(NotesPane::Specification) << u"Rule text"_s << true << u"Action Taken"_s
        << u"No Implementation specification is available for Password Management!"_s;
    QTest::newRow("written note") << int(NotesPane::Comments) << u"Reviewed."_s << false << QString() << QString();
    QTest::newRow("specification of an entry")
        << int(NotesPane::Specification) << u"Rule text"_s << false << QString() << QString();
    // A blank rule text is left out of the block, never refused.
    QTest::newRow("blank references") << int(NotesPane::References) << QString() << true << QString() << QString();
}

void TestReports::tickRefusals()
{
    QFETCH(int, pane);
    QFETCH(QString, text);
    QFETCH(bool, overview);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QTextDocument doc;
    doc.setPlainText(text);
    const std::optional<TickRefusal> refusal =
        tickRefusal(static_cast<NotesPane>(pane), &doc, overview, u"Password Management"_s);
    QCOMPARE(refusal.has_value(), !message.isEmpty());
    if (refusal) {
        QCOMPARE(refusal->title, title);
        QCOMPARE(refusal->text, message);
    }
}

void TestReports::blankPanesLeaveNoHeading()
{
    const auto blank = plainDoc(u"  \n\t \n"_s);
    const auto policy = plainDoc(u"Foxtrot policy."_s);
    NotesReportInput input;
    input.ticked = {false, false, false, true, true, true};
    input.panes.at(3) = blank.get();
    input.panes.at(4) = nullptr;
    input.panes.at(5) = policy.get();
    PageEngine engine;
    composeNotesReport(engine, notesSettings(), input);
    const QList<PlacedText> printed = engine.document().strings(0);
    QCOMPARE(printed.size(), 2);
    QCOMPARE(printed.at(0).text, u"Policies and Procedures/Plan:"_s);
    QCOMPARE(printed.at(0).rect.top(), 300.0);
    QCOMPARE(printed.at(1).text, u"Foxtrot policy."_s);

    // Nothing printable at all: a document without pages.
    input.ticked.at(5) = false;
    composeNotesReport(engine, notesSettings(), input);
    QCOMPARE(engine.pageCount(), 0);
}

void TestReports::policiesHeadingNearTheBottomStartsANewPage()
{
    const PrintSettings settings = notesSettings();
    const auto policy = plainDoc(u"Foxtrot policy."_s);
    const double zoneTop = PageEngine::LetterHeight - PolicyNewPageZone;
    bool brokeBefore = false;
    bool stayedOn = false;
    // Action Taken sections of growing length bring the policies near the page's bottom and past it.
    for (int lines = 40; lines <= 60; ++lines) {
        QStringList actionLines;
        for (int i = 1; i <= lines; ++i)
            actionLines.append(u"Action line %1"_s.arg(i));
        const auto action = plainDoc(actionLines.join(u'\n'));
        NotesReportInput input;
        input.ticked.at(3) = true;
        input.panes.at(3) = action.get();
        input.panes.at(5) = policy.get();

        PageEngine engine;
        composeNotesReport(engine, settings, input);
        const double endY = engine.currentY();
        const int endPage = engine.pageCount() - 1;

        input.ticked.at(5) = true;
        composeNotesReport(engine, settings, input);
        const std::optional<Printed> heading = find(engine.document(), u"Policies and Procedures/Plan:"_s);
        QVERIFY(heading);
        if (endY > zoneTop) {
            QCOMPARE(heading->page, endPage + 1);
            QCOMPARE(heading->text.rect.top(), 300.0);
            brokeBefore = true;
        } else {
            QCOMPARE(heading->page, endPage);
            QCOMPARE(heading->text.rect.top(), endY);
            stayedOn = true;
        }
    }
    QVERIFY(brokeBefore);
    QVERIFY(stayedOn);
}

void TestReports::singleDocumentWithinTheMargins()
{
    QStringList paragraphs;
    for (int i = 1; i <= 150; ++i)
        paragraphs.append(u"Paragraph %1 of the disaster recovery plan, which names who restores what and in "
                          u"which order once the office is usable again."_s.arg(i));
    const auto plan = plainDoc(paragraphs.join(u'\n'));
    PrintSettings settings = notesSettings();
    settings.margins = printpresets::NotesReportPlan;
    PageEngine engine;
    composeSingleDocument(engine, settings, *plan);
    QVERIFY(!engine.isOpen());
    QVERIFY(engine.pageCount() > 2);
    const QList<Printed> printed = allPrinted(engine.document());
    QCOMPARE(printed.first().text.text.left(12), u"Paragraph 1 "_s);
    for (const Printed& p : printed) {
        QVERIFY(p.text.rect.left() >= 350 - 0.5);
        QVERIFY(p.text.rect.right() <= PageEngine::LetterWidth - 350 + 0.5);
        QVERIFY(p.text.rect.top() >= 300 - 0.5);
        QVERIFY2(p.text.rect.bottom() <= PageEngine::LetterHeight - 600 + 0.5, qPrintable(p.text.text));
    }
}

void TestReports::allPoliciesOnePerPage()
{
    TempFolder temp;
    QVERIFY(temp.ready());
    const auto three = plainDoc(u"Policy three: passwords change every ninety days."_s);
    const auto seventeen = plainDoc(u"Policy seventeen: backups are tested monthly.\nSecond paragraph."_s);
    QVERIFY(saveRichText(temp.folder, u"Policy3.Fil"_s, *three).ok());
    QVERIFY(saveRichText(temp.folder, u"Policy17.Fil"_s, *seventeen).ok());
    // Blank, unreadable and damaged policies are skipped.
    const auto blank = plainDoc(u"   \n"_s);
    QVERIFY(saveRichText(temp.folder, u"Policy5.Fil"_s, *blank).ok());
    QVERIFY(QDir(temp.folder.dataDir()).mkdir(u"Policy9.Fil"_s));
    QVERIFY(temp.folder.write(u"Policy20.Fil"_s, "{\\rtf1\\ansi{\\fonttbl{\\f0 Ari").ok());
    QVERIFY(temp.folder.write(u"Policy46.Fil"_s, QByteArray()).ok());

    PrintSettings settings = notesSettings();
    settings.margins = printpresets::AllPolicies;
    QList<int> progress;
    PageEngine engine;
    const int count = composeAllPolicies(engine, settings, temp.folder, [&progress](int n) { progress.append(n); });

    QCOMPARE(count, 2);
    QCOMPARE(engine.pageCount(), 2);
    QVERIFY(!engine.isOpen());
    QList<int> expectedProgress;
    for (int n = 0; n <= AllPoliciesLast; ++n)
        expectedProgress.append(n);
    QCOMPARE(progress, expectedProgress);

    const QList<PlacedText> first = engine.document().strings(0);
    const QList<PlacedText> second = engine.document().strings(1);
    QCOMPARE(first.size(), 1);
    QCOMPARE(first.first().text, three->toPlainText());
    QCOMPARE(first.first().rect.left(), 750.0);
    QVERIFY(first.first().rect.top() >= 600 && first.first().rect.top() < 700);
    QCOMPARE(second.size(), 2);
    QCOMPARE(second.first().text, u"Policy seventeen: backups are tested monthly."_s);
    QVERIFY(second.first().rect.top() >= 600 && second.first().rect.top() < 700);
}

void TestReports::allPoliciesWithNothingStored()
{
    TempFolder temp;
    QVERIFY(temp.ready());
    int calls = 0;
    PageEngine engine;
    const int count = composeAllPolicies(engine, notesSettings(), temp.folder, [&calls](int) { ++calls; });
    QCOMPARE(count, 0);
    QCOMPARE(engine.pageCount(), 0);
    QCOMPARE(calls, AllPoliciesLast + 1);
    // No progress callback is needed.
    QCOMPARE(composeAllPolicies(engine, notesSettings(), temp.folder), 0);
}

QTEST_MAIN(TestReports)

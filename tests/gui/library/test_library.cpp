// The reference screens driven as a user drives them: moving between them through the Action Area,
// the keys and menus of their shared frame, the Security Rule's search, the Information Advisor's
// selections, and what the Miscellaneous and HITECH screens let the user copy and print.
#include "libraryfixture.h"

#include "foldersnapshot.h"

#include "core/reports/pageengine.h"
#include "core/shell/displaysettings.h"
#include "gui/actionarea/actionarea.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/help.h"
#include "gui/kit/navigator.h"
#include "gui/kit/palette.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/weblinks.h"
#include "gui/library/hitechinformation.h"
#include "gui/library/informationadvisor.h"
#include "gui/library/miscellaneous.h"
#include "gui/library/securityrule.h"
#include "gui/library/viewerprint.h"
#include "gui/reports/previewwidget.h"
#include "gui/reports/printoptionspanel.h"

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace qv;
using namespace qv::test;

namespace {

    // A click on the option's circle, as a user picks a section.
    void chooseSection(SecurityRule* rule, int index)
    {
        QRadioButton* option = rule->sectionOption(index);
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    }

    const QString ExitText = QStringLiteral("Exit Quorvane?");

    QString pageText(const PageEngine& engine)
    {
        QString text;
        for (int page = 0; page < engine.document().pageCount(); ++page) {
            for (const PlacedText& placed : engine.document().strings(page)) {
                text += placed.text + u' ';
            }
        }
        return text;
    }

    void escape(QWidget* screen)
    {
        QTest::keyClick(screen, Qt::Key_Escape);
    }

    void checkLastBox(const Library& library, const QString& title, const QString& text)
    {
        QVERIFY(!library.spine.prompter.prompts().isEmpty());
        const Prompt& box = library.spine.prompter.prompts().last();
        QCOMPARE(box.title, title);
        QCOMPARE(box.text, text);
        QCOMPARE(box.icon, PromptIcon::Information);
        QCOMPARE(box.buttons, PromptButtons::Ok);
    }

    QString clipboardText()
    {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data ? data->text() : QString();
    }

} // namespace

class TestLibrary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void navigationPassesThroughTheActionArea();
    void exitQuestionFromAScreen();
    void utilitiesOpenTheBackupUtility();
    void escapeBacksOutOneLayerAtATime();
    void helpTopicsFollowThePrintOptions();
    void searchFindsWholeWordsAndStartsAgain();
    void fontDisplayAndClear();
    void printOptionsPrintTheSelectionWithTheRuleMargins();
    void advisorKeepsTheSelectedDocument();
    void advisorRiskAnalysisAndLinks();
    void miscellaneousOffersCopyAndPrintForFormsOnly();
    void keyboardCopyIsBarredInProtectedDocuments();
    void webLinksShowFive();
    void pageSetupMarginsLastUntilTheNextPrintOptions();
    void guideLinesAreKeptInTheDisplaySettings();
    void hitechPdfButtonLeavesTheDocument();
};

void TestLibrary::navigationPassesThroughTheActionArea()
{
    Library library;
    ActionArea* hub = library.hub();
    hub->selectArea(7);
    const FolderSnapshot before(library.spine.folder.dataDir());
    for (int k : {1, 2, 3, 6}) {
        QVERIFY2(hub->navigationButton(k)->isEnabled(), qPrintable(QString::number(k)));
    }
    for (int i = 0; i < 4; ++i) {
        QVERIFY2(controlAt<QAction>(hub, QStringLiteral("mOTab"), i)->isEnabled(), qPrintable(QString::number(i)));
    }

    auto* advisor = library.open<InformationAdvisor>(Navigator::InformationAdvisor);
    QVERIFY(advisor);
    QCOMPARE(library.visibleScreens(), QStringList{QStringLiteral("InfoAdv")});
    QCOMPARE(advisor->windowTitle(), QStringLiteral("Information Advisor - Addressable Safeguards"));
    QCOMPARE(advisor->navigationButton(ViewerFrame::ToAdvisor)->captionColor(), paletteColor(PaletteBrightBlue));
    QCOMPARE(library.spine.navigator.requestedScreen(), 0);

    // Its own button does nothing; another screen's passes through the hub, which stands in for it.
    press(advisor, QStringLiteral("SSCommand4"), ViewerFrame::ToAdvisor);
    QVERIFY(advisor->isVisible());
    press(advisor, QStringLiteral("SSCommand4"), ViewerFrame::ToSecurityRule);
    Library::settle();
    QCOMPARE(hub->windowTitle(), QStringLiteral("Security Rule"));
    auto* rule = qobject_cast<SecurityRule*>(library.spine.navigator.existing(Navigator::SecurityRule));
    QVERIFY(rule);
    QCOMPARE(library.visibleScreens(), QStringList{QStringLiteral("PrivRule")});
    QCOMPARE(library.spine.navigator.requestedScreen(), 0);
    QVERIFY(!library.spine.navigator.existing(Navigator::InformationAdvisor));

    // The Security Rule names its navigation buttons apart; HITECH is button 5 on every reference screen.
    press(rule, QStringLiteral("SSCommand2"), ViewerFrame::ToHitech);
    Library::settle();
    auto* hitech = qobject_cast<HitechInformation*>(library.spine.navigator.existing(Navigator::HitechInformation));
    QVERIFY(hitech);
    QCOMPARE(library.visibleScreens(), QStringList{QStringLiteral("HITECHform1")});
    QCOMPARE(hitech->windowTitle(), QStringLiteral("HITECH Information - Impact of HITECH Act on The Security Rule"));

    // The Options menu's list reaches the same screens.
    QAction* misc = controlAt<QAction>(hitech, QStringLiteral("mOTab"), 3);
    QCOMPARE(misc->text(), QStringLiteral("&Miscellaneous"));
    misc->trigger();
    Library::settle();
    auto* miscellaneous = qobject_cast<Miscellaneous*>(library.spine.navigator.existing(Navigator::Miscellaneous));
    QVERIFY(miscellaneous);
    QCOMPARE(miscellaneous->windowTitle(), QStringLiteral("Miscellaneous - Program Information"));

    // Back in the Action Area, whatever area was open: the first one.
    press(miscellaneous, QStringLiteral("SSCommand4"), ViewerFrame::ToActionArea);
    Library::settle();
    QCOMPARE(library.visibleScreens(), QStringList{QStringLiteral("WorkArea1")});
    QCOMPARE(hub->state().area, 0);
    QCOMPARE(library.spine.navigator.requestedScreen(), 0);
    QVERIFY(library.spine.prompter.prompts().isEmpty());
    QCOMPARE(before.unexpectedChanges(), QString());
}

void TestLibrary::exitQuestionFromAScreen()
{
    Library library;
    auto* rule = library.open<SecurityRule>(Navigator::SecurityRule);
    library.spine.prompter.answer({PromptAnswer::Cancel, PromptAnswer::Yes});
    press(rule, QStringLiteral("SSCommand2"), ViewerFrame::ExitButton);
    QCOMPARE(
        library.spine.prompter.prompts().last(),
        (Prompt{QStringLiteral("Exit"), ExitText, PromptIcon::Question, PromptButtons::YesNoCancel, PromptAnswer::No}));
    QCOMPARE(library.exits, 0);
    QVERIFY(rule->isVisible());
    QCOMPARE(rule->navigationButton(ViewerFrame::ToSecurityRule)->captionColor(), paletteColor(PaletteBrightBlue));
    QCOMPARE(rule->navigationButton(ViewerFrame::ExitButton)->captionColor(), paletteColor(PaletteBlack));

    QAction* exitEntry = controlAt<QAction>(rule, QStringLiteral("mOTab"), 4);
    QCOMPARE(exitEntry->text(), QStringLiteral("E&xit Program"));
    exitEntry->trigger();
    QCOMPARE(library.exits, 1);
}

void TestLibrary::utilitiesOpenTheBackupUtility()
{
    Library library;
    auto* misc = library.open<Miscellaneous>(Navigator::Miscellaneous);
    misc->menuAction(QStringLiteral("mUBack"))->trigger();
    misc->menuAction(QStringLiteral("mURestore"))->trigger();
    QCOMPARE(library.backups, (QList<bool>{false, true}));

    // Not while a document is on view in the print options.
    press(misc, QStringLiteral("SSCommand11"), 3);
    press(misc, QStringLiteral("SSCommand2"), 1);
    QVERIFY(!misc->menuAction(QStringLiteral("mURestore"))->isEnabled());
    misc->menuAction(QStringLiteral("mURestore"))->trigger();
    QCOMPARE(library.backups.size(), 2);
}

void TestLibrary::escapeBacksOutOneLayerAtATime()
{
    Library library;
    auto* misc = library.open<Miscellaneous>(Navigator::Miscellaneous);
    press(misc, QStringLiteral("SSCommand11"), 3);
    press(misc, QStringLiteral("SSCommand2"), 1);
    PrintOptionsPanel* panel = misc->printOptions()->panel();
    QVERIFY(panel->isVisible());
    QVERIFY(!misc->menuAction(QStringLiteral("mUBack"))->isEnabled());
    QTest::mouseClick(panel->enlargeButton(), Qt::LeftButton);
    QCOMPARE(panel->enlargeButton()->text(), QStringLiteral("Normal"));

    escape(misc);
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->enlargeButton()->text(), QStringLiteral("Enlarge"));
    QCOMPARE(panel->preview()->zoom(), PreviewWidget::Zoom::Normal);
    escape(misc);
    QVERIFY(!panel->isVisible());
    library.spine.prompter.answer(PromptAnswer::No);
    escape(misc);
    QCOMPARE(library.spine.prompter.texts(), QStringList{ExitText});
    QVERIFY(misc->isVisible());

    // The Security Rule's search panel is one more layer, below the print options.
    misc->pressNavigation(ViewerFrame::ToSecurityRule);
    Library::settle();
    auto* rule = qobject_cast<SecurityRule*>(library.spine.navigator.existing(Navigator::SecurityRule));
    QVERIFY(rule);
    chooseSection(rule, 2);
    press(rule, QStringLiteral("SSCommand5"), 5);
    QVERIFY(rule->searchPanel()->isVisible());
    press(rule, QStringLiteral("SSCommand4"), 4);
    QVERIFY(rule->printOptionsOpen());
    escape(rule);
    QVERIFY(!rule->printOptionsOpen());
    QVERIFY(rule->searchPanel()->isVisible());
    escape(rule);
    QVERIFY(!rule->searchPanel()->isVisible());
    library.spine.prompter.answer(PromptAnswer::No);
    escape(rule);
    QCOMPARE(library.spine.prompter.texts().size(), 2);
}

void TestLibrary::helpTopicsFollowThePrintOptions()
{
    Library library;
    auto* advisor = library.open<InformationAdvisor>(Navigator::InformationAdvisor);
    QTest::keyClick(advisor, Qt::Key_F1);
    advisor->menuAction(QStringLiteral("mHScreen"))->trigger();
    advisor->pressNavigation(ViewerFrame::ToHitech);
    Library::settle();
    auto* hitech = qobject_cast<HitechInformation*>(library.spine.navigator.existing(Navigator::HitechInformation));
    QTest::keyClick(hitech, Qt::Key_F1);
    // HITECH's Help is one command: the program overview.
    hitech->menuAction(QStringLiteral("mH"))->trigger();
    press(hitech, QStringLiteral("SSCommand2"), 1);
    QCOMPARE(hitech->printOptions()->panel()->command(PrintOptionsPanel::CloseCommand)->text(),
             QStringLiteral("&Cancel"));
    QTest::keyClick(hitech, Qt::Key_F1);

    // A right-button release over a button pops up the Options menu, never over the document.
    QTest::mouseClick(hitech->documentButton(1), Qt::RightButton);
    QTRY_VERIFY(hitech->optionsMenu()->isVisible());
    hitech->optionsMenu()->hide();
    QCOMPARE(library.spine.help.topics,
             (QList<int>{HelpTopic::InformationAdvisor,
                         HelpTopic::InformationAdvisor,
                         HelpTopic::Miscellaneous,
                         HelpTopic::ProgramOverview,
                         HelpTopic::Printing}));
}

void TestLibrary::searchFindsWholeWordsAndStartsAgain()
{
    Library library;
    auto* rule = library.open<SecurityRule>(Navigator::SecurityRule);
    QVERIFY(!rule->menuAction(QStringLiteral("mOSearch"))->isEnabled());
    chooseSection(rule, 2);
    QCOMPARE(rule->windowTitle(), QStringLiteral("Security Rule - Background of the Rule."));
    rule->menuAction(QStringLiteral("mOSearch"))->trigger();
    QVERIFY(rule->searchPanel()->isVisible());
    RichTextEditor* pane = rule->pane();
    const QString text = pane->text();

    // A word found once: found, then the end of the document, then found again from the start.
    QTest::keyClicks(rule->searchText(), QStringLiteral("zebra"));
    QTest::keyClick(rule->searchText(), Qt::Key_Return);
    QCOMPARE(pane->selText(), QStringLiteral("zebra"));
    QCOMPARE(pane->selStart(), static_cast<int>(text.indexOf(QStringLiteral("zebra"))));
    library.spine.prompter.answer(PromptAnswer::Ok);
    press(rule, QStringLiteral("Command5"), -1);
    checkLastBox(
        library, QStringLiteral("Search Document"), QStringLiteral("Search has reached the end of the document."));
    QCOMPARE(rule->nextSearchStart(), 0);
    QTest::keyClick(rule->searchText(), Qt::Key_Return);
    QCOMPARE(pane->selText(), QStringLiteral("zebra"));

    // A new search text starts from the top, where a match at the very first character counts.
    rule->searchText()->clear();
    QTest::keyClicks(rule->searchText(), QStringLiteral("security"));
    QCOMPARE(rule->nextSearchStart(), 0);
    QTest::keyClick(rule->searchText(), Qt::Key_Return);
    QCOMPARE(pane->selStart(), 0);
    QTest::keyClick(rule->searchText(), Qt::Key_Return);
    QCOMPARE(pane->selStart(), static_cast<int>(text.indexOf(QStringLiteral("Security again"))));
    QTest::keyClick(rule->searchText(), Qt::Key_Return);
    QCOMPARE(pane->selStart(), static_cast<int>(text.indexOf(QStringLiteral("security once"))));

    // Whole words only: "standard" is not found inside "standards".
    rule->searchText()->setText(QStringLiteral("standard"));
    library.spine.prompter.answer(PromptAnswer::Ok);
    QTest::keyClick(rule->searchText(), Qt::Key_Return);
    QCOMPARE(library.spine.prompter.prompts().size(), 2);
    QVERIFY(library.spine.prompter.failures().isEmpty());
}

void TestLibrary::fontDisplayAndClear()
{
    Library library;
    const QString section = library.spine.folder.contentPath(QStringLiteral("PR2.Fl1"));
    const FolderSnapshot content(library.spine.folder.contentDir());
    auto* rule = library.open<SecurityRule>(Navigator::SecurityRule);
    chooseSection(rule, 2);
    library.spine.prompter.answer(PromptAnswer::Ok);
    press(rule, QStringLiteral("SSCommand3"), 3);
    QCOMPARE(library.spine.prompter.texts(), QStringList{QStringLiteral("Please select text to change.")});
    QCOMPARE(library.spine.dialogs.calls().size(), 0);

    rule->pane()->select(0, 8);
    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPointSize(20);
    chosen.setBold(true);
    library.spine.dialogs.answerFont(FontChoice{chosen, Qt::red});
    press(rule, QStringLiteral("SSCommand3"), 3);
    QCOMPARE(rule->pane()->selStart(), 0);
    QCOMPARE(rule->pane()->selLength(), 8);
    QCOMPARE(rule->pane()->selBold(), std::optional<bool>(true));
    QCOMPARE(rule->pane()->selColor(), std::optional<QColor>(QColor(Qt::red)));
    // For this viewing only: the installed section is as it was.
    QCOMPARE(content.unexpectedChanges(), QString());

    press(rule, QStringLiteral("SSCommand6"), 6);
    QVERIFY(rule->pane()->text().isEmpty());
    QVERIFY(!rule->sectionOption(2)->isChecked());
    for (const char* name : {"mOClip", "mOFD", "mOPrint", "mOSearch"}) {
        QVERIFY2(!rule->menuAction(QString::fromLatin1(name))->isEnabled(), name);
    }
    rule->menuAction(QStringLiteral("mOSearch"))->trigger();
    QVERIFY(!rule->searchPanel()->isVisible());
    QVERIFY(QFile::exists(section));
}

void TestLibrary::printOptionsPrintTheSelectionWithTheRuleMargins()
{
    Library library;
    auto* rule = library.open<SecurityRule>(Navigator::SecurityRule);
    chooseSection(rule, 2);
    rule->pane()->select(static_cast<int>(rule->pane()->text().indexOf(QStringLiteral("A zebra"))), 14);
    press(rule, QStringLiteral("SSCommand4"), 4);
    const PageEngine& engine = rule->printOptions()->engine();
    QCOMPARE(engine.margins(), (PageMargins{350, 300, 350, 100}));
    const QString printed = pageText(engine);
    QVERIFY2(printed.contains(QStringLiteral("A zebra grazes")), qPrintable(printed));
    QVERIFY2(!printed.contains(QStringLiteral("protect")), qPrintable(printed));
    QCOMPARE(rule->printOptions()->panel()->orientationText(), QStringLiteral(" Portrait"));

    // Open already: the menu entry does nothing more; the font and search entries only beep.
    rule->pane()->select(0, 0);
    rule->menuAction(QStringLiteral("mOPrint"))->trigger();
    rule->menuAction(QStringLiteral("mOSearch"))->trigger();
    QVERIFY(!rule->searchPanel()->isVisible());
    QVERIFY(!pageText(engine).contains(QStringLiteral("protect")));

    press(rule->printOptions()->panel(), QStringLiteral("SSCommand80"), PrintOptionsPanel::CloseCommand);
    press(rule, QStringLiteral("SSCommand4"), 4);
    QVERIFY(pageText(engine).contains(QStringLiteral("protect")));
}

void TestLibrary::advisorKeepsTheSelectedDocument()
{
    Library library;
    auto* advisor = library.open<InformationAdvisor>(Navigator::InformationAdvisor);
    QCOMPARE(advisor->pane()->text(), QStringLiteral("Document Misc3.Fl1."));
    press(advisor, QStringLiteral("SSCommand11"), 1);
    QCOMPARE(advisor->windowTitle(), QStringLiteral("Information Advisor - Concepts of the Final Security Rule"));
    QCOMPARE(advisor->pane()->text(), QStringLiteral("Document Misc6.Fl1."));

    // The selected document pressed again is not read again: what the pane holds stays.
    advisor->pane()->select(3, 5);
    library.spine.folder.putContent(QStringLiteral("Misc6.Fl1"), rtfDocument(QStringLiteral("Changed.")));
    press(advisor, QStringLiteral("SSCommand11"), 1);
    QCOMPARE(advisor->pane()->text(), QStringLiteral("Document Misc6.Fl1."));
    QCOMPARE(advisor->pane()->selStart(), 3);
    QCOMPARE(advisor->pane()->selLength(), 5);
    QCOMPARE(advisor->documentButton(1)->captionColor(), paletteColor(PaletteBrightBlue));
    QCOMPARE(advisor->documentButton(0)->captionColor(), paletteColor(PaletteBlack));

    // A missing document leaves the pane as it was, with no message.
    QVERIFY(QFile::remove(library.spine.folder.contentPath(QStringLiteral("Misc8.Fl1"))));
    press(advisor, QStringLiteral("SSCommand11"), 3);
    QCOMPARE(advisor->windowTitle(),
             QStringLiteral("Information Advisor - Impact of not complying with the Security Final Rule"));
    QCOMPARE(advisor->pane()->text(), QStringLiteral("Document Misc6.Fl1."));
    QVERIFY(library.spine.prompter.prompts().isEmpty());
}

void TestLibrary::advisorRiskAnalysisAndLinks()
{
    Library library;
    auto* advisor = library.open<InformationAdvisor>(Navigator::InformationAdvisor);
    advisor->resize(1024, 768);
    QVERIFY(!advisor->linkButton()->isVisible());

    press(advisor, QStringLiteral("SSCommand11"), 6);
    QVERIFY(advisor->riskAnalysisFrame()->isVisible());
    QCOMPARE(advisor->windowTitle(), QStringLiteral("Information Advisor - Risk Analysis - Risk Analysis Overview"));
    QCOMPARE(advisor->pane()->text(), QStringLiteral("Document Misc10.Fl1."));
    QCOMPARE(advisor->linkButton()->text(), QStringLiteral("Click for Latest Risk Analysis Update from HHS"));
    QVERIFY(advisor->linkButton()->isVisible());
    QVERIFY(!advisor->nistButton()->isVisible());
    QCOMPARE(advisor->riskAnalysisButton(0)->captionColor(), paletteColor(PaletteBrightBlue));
    QCOMPARE(advisor->riskAnalysisButton(2)->captionColor(), paletteColor(PaletteBlack));
    press(advisor, QStringLiteral("SSCommand2"), -1);

    // Two link buttons either side of the window's centre, 600 twips apart.
    press(advisor, QStringLiteral("SSCommand1"), 1);
    QVERIFY(advisor->nistButton()->isVisible());
    const int centre = advisor->width() / 2;
    const QRect nist(advisor->nistButton()->mapTo(advisor, QPoint(0, 0)), advisor->nistButton()->size());
    const QRect link(advisor->linkButton()->mapTo(advisor, QPoint(0, 0)), advisor->linkButton()->size());
    QCOMPARE(link.left() - (nist.right() + 1), 40);
    QVERIFY(qAbs((nist.right() + 1 + link.left()) / 2 - centre) <= 1);
    QCOMPARE(nist.top(), link.top());
    QVERIFY(link.top() > advisor->pane()->mapTo(advisor, QPoint(0, advisor->pane()->height())).y());
    press(advisor, QStringLiteral("SSCommand2"), -1);
    press(advisor, QStringLiteral("SSCommand3"), -1);
    press(advisor, QStringLiteral("SSCommand1"), 4);
    QCOMPARE(advisor->windowTitle(), QStringLiteral("Information Advisor - Risk Analysis - Worksheet Example"));
    QVERIFY(!advisor->linkButton()->isVisible());

    // The same NIST button opens the resource guide with "Key Information & Guide".
    press(advisor, QStringLiteral("SSCommand11"), 4);
    QVERIFY(!advisor->riskAnalysisFrame()->isVisible());
    QCOMPARE(advisor->windowTitle(), QStringLiteral("Information Advisor - Key Information && Guide"));
    press(advisor, QStringLiteral("SSCommand2"), -1);
    press(advisor, QStringLiteral("SSCommand11"), 2);
    press(advisor, QStringLiteral("SSCommand2"), -1);
    QCOMPARE(library.opened,
             (QList<QUrl>{hhsRiskAnalysisGuidance(),
                          nistSpecialPublications(),
                          nistSp80030Pdf(),
                          nistSp80066Revision1Pdf(),
                          hhsSecurityRuleGuidance()}));

    // A browser that cannot be reached is reported.
    setUrlOpener([](const QUrl&) { return false; });
    library.spine.prompter.answer(PromptAnswer::Ok);
    press(advisor, QStringLiteral("SSCommand2"), -1);
    QCOMPARE(library.spine.prompter.prompts().last().title, QStringLiteral("Unable to Connect to Internet"));
}

void TestLibrary::miscellaneousOffersCopyAndPrintForFormsOnly()
{
    Library library;
    auto* misc = library.open<Miscellaneous>(Navigator::Miscellaneous);
    QAction* clip = misc->menuAction(QStringLiteral("mOClip"));
    QAction* print = misc->menuAction(QStringLiteral("mOPrint"));
    QCOMPARE(clip->text(), QStringLiteral("&Copy to Clickboard"));
    for (int doc : {0, 1, 2}) {
        press(misc, QStringLiteral("SSCommand11"), doc);
        QVERIFY(!misc->copyButton()->isVisible());
        QVERIFY(!misc->printButton()->isVisible());
        QVERIFY(!clip->isVisible());
        QVERIFY(!print->isVisible());
    }
    press(misc, QStringLiteral("SSCommand11"), 4);
    QCOMPARE(misc->windowTitle(), QStringLiteral("Miscellaneous - Incident Report Template"));
    QVERIFY(misc->copyButton()->isVisible());
    QVERIFY(clip->isVisible() && print->isVisible());

    library.spine.prompter.answer(PromptAnswer::Ok);
    press(misc, QStringLiteral("SSCommand2"), 0);
    checkLastBox(
        library, QStringLiteral("Copy Option"), QStringLiteral("A copy has been copied to the Windows Clipboard."));
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied->hasHtml());
    QVERIFY(copied->data(QStringLiteral("text/rtf")).startsWith("{\\rtf"));
    QCOMPARE(copied->text().trimmed(), QStringLiteral("Document Misc56.Fl1."));

    // An open print options panel goes with the form it printed.
    print->trigger();
    QVERIFY(misc->printOptionsOpen());
    press(misc, QStringLiteral("SSCommand11"), 0);
    QVERIFY(!misc->printOptionsOpen());
    QCOMPARE(misc->pane()->text(), QStringLiteral("Document Misc2.Fl1."));
}

void TestLibrary::keyboardCopyIsBarredInProtectedDocuments()
{
    Library library;
    auto* misc = library.open<Miscellaneous>(Navigator::Miscellaneous);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    press(misc, QStringLiteral("SSCommand11"), 0);
    misc->pane()->select(0, 8);
    QTest::keyClick(misc->pane(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboardText(), QStringLiteral("before"));
    QTest::keyClick(misc->pane(), Qt::Key_Control, Qt::ControlModifier);
    QCOMPARE(misc->pane()->selLength(), 0);

    press(misc, QStringLiteral("SSCommand11"), 3);
    misc->pane()->select(0, 8);
    QTest::keyClick(misc->pane(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboardText(), QStringLiteral("Document"));

    // HITECH's documents are both barred; its button copies the whole document.
    misc->pressNavigation(ViewerFrame::ToHitech);
    Library::settle();
    auto* hitech = qobject_cast<HitechInformation*>(library.spine.navigator.existing(Navigator::HitechInformation));
    press(hitech, QStringLiteral("SSCommand11"), 2);
    hitech->pane()->select(0, 8);
    QTest::keyClick(hitech->pane(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboardText(), QStringLiteral("Document"));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(hitech->pane(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboardText(), QStringLiteral("before"));
    library.spine.prompter.answer(PromptAnswer::Ok);
    press(hitech, QStringLiteral("SSCommand2"), 0);
    QCOMPARE(clipboardText().trimmed(), QStringLiteral("Document HITECH2.Fl1."));
}

void TestLibrary::webLinksShowFive()
{
    Library library;
    auto* misc = library.open<Miscellaneous>(Navigator::Miscellaneous);
    press(misc, QStringLiteral("SSCommand11"), 2);
    QVERIFY(!misc->pane()->isVisible());
    QVERIFY(misc->webLinksPanel()->isVisible());
    QStringList shown;
    for (int i = 0; i < 7; ++i) {
        if (misc->webLink(i)->isVisible()) {
            shown.append(misc->webLink(i)->text());
        }
    }
    QCOMPARE(shown,
             (QStringList{QStringLiteral("Office of Civil Rights"),
                          QStringLiteral("U.S. Department of Health and Human Services"),
                          QStringLiteral("Centers for Medicare & Medicaid Services (CMS)"),
                          QStringLiteral("NIST Special Publications (800 Series)"),
                          QStringLiteral("Workgroup for Electronic Data Interchange (WEDI)")}));
    QLabel* wedi = misc->webLink(6);
    QCOMPARE(wedi->toolTip(), QStringLiteral(" Contains helpful HIPAA security information "));
    const int top = wedi->y();
    QTest::mousePress(wedi, Qt::LeftButton);
    QCOMPARE(wedi->y(), top + 3);
    QTest::mouseRelease(wedi, Qt::LeftButton);
    QCOMPARE(wedi->y(), top);
    QCOMPARE(library.opened, QList<QUrl>{wediHome()});
}

void TestLibrary::pageSetupMarginsLastUntilTheNextPrintOptions()
{
    Library library;
    auto* misc = library.open<Miscellaneous>(Navigator::Miscellaneous);
    press(misc, QStringLiteral("SSCommand11"), 5);
    press(misc, QStringLiteral("SSCommand2"), 1);
    const PageEngine& engine = misc->printOptions()->engine();
    QCOMPARE(engine.margins(), (PageMargins{200, 260, 100, 100}));

    PageSetup landscape;
    landscape.orientation = QPageLayout::Landscape;
    landscape.marginLeft = 720;
    landscape.marginTop = 800;
    landscape.marginRight = 900;
    landscape.marginBottom = 1000;
    library.spine.dialogs.answerPageSetup(landscape);
    press(misc->printOptions()->panel(), QStringLiteral("SSCommand80"), PrintOptionsPanel::PageSetupCommand);
    QCOMPARE(engine.margins(), (PageMargins{720, 800, 900, 1000}));
    QCOMPARE(misc->printOptions()->panel()->orientationText(), QStringLiteral(" Landscape"));
    // The program's one set of print settings: the Action Area prints with what was chosen here.
    QCOMPARE(library.spine.printSettings.margins, (PageMargins{720, 800, 900, 1000}));

    escape(misc);
    misc->menuAction(QStringLiteral("mOPrint"))->trigger();
    QCOMPARE(engine.margins(), (PageMargins{200, 100, 100, 100}));
    QCOMPARE(library.spine.printSettings.margins, (PageMargins{200, 100, 100, 100}));
}

void TestLibrary::guideLinesAreKeptInTheDisplaySettings()
{
    Library library;
    library.hub();
    const FolderSnapshot before(library.spine.folder.dataDir());
    auto* hitech = library.open<HitechInformation>(Navigator::HitechInformation);
    press(hitech, QStringLiteral("SSCommand2"), 1);
    // Never chosen: neither option, no guide lines, and opening wrote nothing.
    QVERIFY(!hitech->printOptions()->guideLineButton(0)->isChecked());
    QVERIFY(!hitech->printOptions()->guideLineButton(1)->isChecked());
    QVERIFY(!hitech->printOptions()->panel()->preview()->guidesShown());
    QCOMPARE(before.unexpectedChanges(), QString());

    QTest::mouseClick(hitech->printOptions()->guideLineButton(1), Qt::LeftButton);
    QVERIFY(hitech->printOptions()->panel()->preview()->guidesShown());
    QCOMPARE(display::readGuideLineOption(library.spine.folder.folder()), std::optional<int>(1));
    QCOMPARE(before.unexpectedChanges({display::screenFileName()}), QString());

    hitech->pressNavigation(ViewerFrame::ToMiscellaneous);
    Library::settle();
    auto* misc = qobject_cast<Miscellaneous*>(library.spine.navigator.existing(Navigator::Miscellaneous));
    press(misc, QStringLiteral("SSCommand11"), 3);
    misc->menuAction(QStringLiteral("mOPrint"))->trigger();
    QVERIFY(controlAt<QRadioButton>(misc, QStringLiteral("SSOption82"), 1)->isChecked());
    QVERIFY(misc->printOptions()->panel()->preview()->guidesShown());

    // A choice that cannot be stored is said, and the file keeps the old one.
    const FolderSnapshot chosen(library.spine.folder.dataDir());
    WriteFaults::inject(display::screenFileName());
    library.spine.prompter.answer(PromptAnswer::Ok);
    QTest::mouseClick(controlAt<QRadioButton>(misc, QStringLiteral("SSOption82"), 0), Qt::LeftButton);
    WriteFaults::clear();
    QVERIFY(!library.spine.prompter.prompts().isEmpty());
    QCOMPARE(library.spine.prompter.prompts().last().title, QStringLiteral("Display Options"));
    QCOMPARE(library.spine.prompter.prompts().last().icon, PromptIcon::Warning);
    QCOMPARE(chosen.unexpectedChanges(), QString());
    QCOMPARE(display::readGuideLineOption(library.spine.folder.folder()), std::optional<int>(1));
}

void TestLibrary::hitechPdfButtonLeavesTheDocument()
{
    Library library;
    auto* hitech = library.open<HitechInformation>(Navigator::HitechInformation);
    QCOMPARE(hitech->documentButton(0)->toolTip(),
             QStringLiteral("Modifications to the HIPAA Privacy, Security and Enforcement Rules"));
    press(hitech, QStringLiteral("SSCommand11"), 2);
    const QString caption = hitech->windowTitle();
    press(hitech, QStringLiteral("SSCommand11"), 0);
    QCOMPARE(hitech->windowTitle(), caption);
    QCOMPARE(hitech->pane()->text(), QStringLiteral("Document HITECH2.Fl1."));
    QCOMPARE(hitech->currentDocument(), 2);
    QCOMPARE(library.opened, QList<QUrl>{hitechModificationsPdf()});
}

QTEST_MAIN(TestLibrary)
#include "test_library.moc"

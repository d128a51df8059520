#include "spinefixture.h"

#include "core/storage/clock.h"
#include "foldersnapshot.h"
#include "gui/actionarea/actionarea.h"
#include "gui/documents/archivearea.h"
#include "gui/documents/incidentarea.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"
#include "screenshot.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

Q_DECLARE_METATYPE(qv::PromptAnswer)

using namespace qv;
using namespace qv::test;

namespace {

    const QString Index = QStringLiteral("ArchiveHold.Fla");
    const QString PlanArchive = QStringLiteral("Disaster Recovery Plan Dec-07-26.Fla");
    const QByteArray WrittenPlan = "{\\rtf1\\ansi Call the backup site first.\\par}";

    QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QString savedText(const QString& path)
    {
        RichTextEditor reader;
        return reader.loadFile(path) ? reader.text() : QStringLiteral("<unreadable>");
    }

    // The Action Area on 7 December 2026.
    struct Fixture
    {
        Fixture()
            : clock(QDateTime(QDate(2026, 12, 7), QTime(10, 30)))
            , spine(QStringLiteral(QUORVANE_CONTENT_DIR))
        {
            Clock::setCurrent(&clock);
        }
        ~Fixture()
        {
            Clock::setCurrent(nullptr);
        }

        ActionArea* withPlan()
        {
            spine.folder.putData(QStringLiteral("DRPln1.Fil"), WrittenPlan);
            ActionArea* area = spine.begin();
            press(area, QStringLiteral("SSCommand11"), 8);
            return area;
        }

        void archive(ActionArea* area, std::initializer_list<PromptAnswer> answers)
        {
            spine.prompter.answer(answers);
            area->menuAction(QStringLiteral("mOArchive"))->trigger();
        }

        // Shows the policy of an entry (area button, entry button array and index) with text in it
        // and archives it.
        void archivePolicy(ActionArea* area, int areaButton, const QString& entries, int entry, const QString& text)
        {
            press(area, QStringLiteral("SSCommand11"), areaButton);
            press(area, entries, entry);
            QRadioButton* pane = area->workPanel().paneOption(WorkPanel::PoliciesProcedures);
            QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(8, pane->height() / 2));
            QVERIFY(pane->isChecked());
            area->workPanel().editor()->setText(text);
            archive(area, {PromptAnswer::Yes, PromptAnswer::Ok});
            QCOMPARE(spine.prompter.prompts().last().text, QStringLiteral("Archived File Has Been Created."));
        }

        FixedClock clock;
        Spine spine;
    };

} // namespace

class TestArchiveArea : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void archivingThePlan();
    void secondArchiveOfTheDayAsksToReplace();
    void archiveCommand_data();
    void archiveCommand();
    void failedWriteKeepsTheOldArchive();
    void viewerShowsArchivesReadOnly();
    void deletingArchives();
    void everyDocumentKeepsItsOwnArchive();
    void archiveOverAnUnlistedFileAsksFirst();
    void firstArchiveThatFailsSaysNothingWasArchived();
    void hostileIndexLineIsShownButNotDeleted_data();
    void hostileIndexLineIsShownButNotDeleted();
    void viewerKeepsItsPlaceAndCaptions_data();
    void viewerKeepsItsPlaceAndCaptions();
};

void TestArchiveArea::archivingThePlan()
{
    Fixture f;
    ActionArea* area = f.withPlan();
    QCOMPARE(area->state().documentKind, 1);
    QVERIFY(area->menuAction(QStringLiteral("mOArchive"))->isEnabled());

    f.archive(area, {PromptAnswer::Yes, PromptAnswer::Ok});
    const QList<Prompt> shown = f.spine.prompter.takePrompts();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0).text, QStringLiteral("Make Archive Copy of [ Disaster Recovery Plan Dec-07-26 ]?"));
    QCOMPARE(shown.at(0).buttons, PromptButtons::YesNoCancel);
    QCOMPARE(shown.at(0).effectiveDefault(), PromptAnswer::No);
    QCOMPARE(shown.at(1).title, QStringLiteral("Archive File Save"));
    QCOMPARE(shown.at(1).text, QStringLiteral("Archived File Has Been Created."));
    QCOMPARE(bytesOf(f.spine.folder.dataPath(Index)), "\"" + PlanArchive.toLatin1() + "\"\r\n");
    QCOMPARE(savedText(f.spine.folder.dataPath(PlanArchive)), QStringLiteral("Call the backup site first."));
}

void TestArchiveArea::secondArchiveOfTheDayAsksToReplace()
{
    Fixture f;
    ActionArea* area = f.withPlan();
    f.archive(area, {PromptAnswer::Yes, PromptAnswer::Ok});
    RichTextEditor* editor = area->workPanel().editor();
    editor->setText(QStringLiteral("Call the insurer first."));
    QCOMPARE(area->state().unsavedChanges, 1);
    f.spine.prompter.takePrompts();

    // No to the replace question keeps the morning's archive.
    f.archive(area, {PromptAnswer::Yes, PromptAnswer::No});
    QCOMPARE(f.spine.prompter.prompts().last().title, QStringLiteral("Replace Existing Archive File?"));
    QCOMPARE(f.spine.prompter.prompts().last().text,
             QStringLiteral("File by Same Name and Date [ Disaster Recovery Plan Dec-07-26 ] already Exists!\r"
                            "Do you want to Replace it?"));
    QCOMPARE(savedText(f.spine.folder.dataPath(PlanArchive)), QStringLiteral("Call the backup site first."));
    QCOMPARE(area->state().unsavedChanges, 0);

    f.archive(area, {PromptAnswer::Yes, PromptAnswer::Yes, PromptAnswer::Ok});
    QCOMPARE(savedText(f.spine.folder.dataPath(PlanArchive)), QStringLiteral("Call the insurer first."));
    QCOMPARE(bytesOf(f.spine.folder.dataPath(Index)), "\"" + PlanArchive.toLatin1() + "\"\r\n");

    // The next day makes an archive of its own.
    f.clock.set(QDateTime(QDate(2026, 12, 8), QTime(9, 0)));
    f.archive(area, {PromptAnswer::Yes, PromptAnswer::Ok});
    QCOMPARE(bytesOf(f.spine.folder.dataPath(Index)),
             "\"" + PlanArchive.toLatin1() + "\"\r\n\"Disaster Recovery Plan Dec-08-26.Fla\"\r\n");
}

void TestArchiveArea::archiveCommand_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("file");

    QTest::newRow("no name") << QStringLiteral("  ") << 1 << QStringLiteral("Text") << PromptAnswer::Ok
                             << QStringLiteral("Appropriate Form Name is Missing!") << QString();
    QTest::newRow("empty editor") << QStringLiteral("Access Control") << 1 << QStringLiteral(" \n ") << PromptAnswer::Ok
                                  << QStringLiteral("Appropriate Document (Policy, Risk Analysis, etc.) Is NOT "
                                                    "Currently Displayed!")
                                  << QString();
    QTest::newRow("answered no") << QStringLiteral("Access Control") << 1 << QStringLiteral("Text") << PromptAnswer::No
                                 << QStringLiteral("Make Archive Copy of [ Access Control Dec-07-26 ]?") << QString();
    QTest::newRow("risk analysis policy")
        << QStringLiteral("Risk Analysis") << 1 << QStringLiteral("Text") << PromptAnswer::Yes
        << QStringLiteral("Archived File Has Been Created.") << QStringLiteral("Risk Analysis Policy Dec-07-26.Fla");
    QTest::newRow("risk analysis worksheet")
        << QStringLiteral("Risk Analysis") << 2 << QStringLiteral("Text") << PromptAnswer::Yes
        << QStringLiteral("Archived File Has Been Created.") << QStringLiteral("Risk Analysis Dec-07-26.Fla");
    QTest::newRow("slash") << QStringLiteral("Authorization and/or Supervision") << 1 << QStringLiteral("Text")
                           << PromptAnswer::Yes << QStringLiteral("Archived File Has Been Created.")
                           << QStringLiteral("Authorization and-or Supervi Dec-07-26.Fla");
    QTest::newRow("outside the code page")
        << QStringLiteral("Łódź clinic") << 2 << QStringLiteral("Text") << PromptAnswer::Yes
        << QStringLiteral("Archived File Has Been Created.") << QStringLiteral("Lódz clinic Dec-07-26.Fla");
    QTest::newRow("double quote") << QStringLiteral("The \"A\" wing") << 2 << QStringLiteral("Text")
                                  << PromptAnswer::Yes << QStringLiteral("Archived File Has Been Created.")
                                  << QStringLiteral("The 'A' wing Dec-07-26.Fla");
    QTest::newRow("long name") << QStringLiteral("Information System Activity Review") << 1 << QStringLiteral("Text")
                               << PromptAnswer::Yes << QStringLiteral("Archived File Has Been Created.")
                               << QStringLiteral("Information System Activity Dec-07-26.Fla");
}

// The hub's archive command over whatever document an area put in the editor.
void TestArchiveArea::archiveCommand()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(PromptAnswer, answer);
    QFETCH(QString, message);
    QFETCH(QString, file);

    Fixture f;
    ActionArea* area = f.withPlan();
    area->workPanel().editor()->setText(text);
    area->state().documentName = name;
    area->state().documentKind = kind;
    f.spine.prompter.answer(answer);
    if (answer == PromptAnswer::Yes) {
        f.spine.prompter.answer(PromptAnswer::Ok);
    }
    createArchive(*area);
    QCOMPARE(f.spine.prompter.prompts().last().text, message);
    if (file.isEmpty()) {
        QVERIFY(!QFile::exists(f.spine.folder.dataPath(Index)));
    } else {
        QCOMPARE(bytesOf(f.spine.folder.dataPath(Index)), "\"" + file.toLatin1() + "\"\r\n");
        QVERIFY(QFile::exists(f.spine.folder.dataPath(file)));
        // The viewer lists the archive under its name and opens what was archived.
        area->viewArchives();
        QCOMPARE(area->archiveArea()->selector()->itemText(0), file.left(file.size() - 4));
        area->archiveArea()->chooseArchive(0);
        QCOMPARE(area->workPanel().editor()->text(), text);
    }
}

void TestArchiveArea::failedWriteKeepsTheOldArchive()
{
    Fixture f;
    ActionArea* area = f.withPlan();
    f.archive(area, {PromptAnswer::Yes, PromptAnswer::Ok});
    area->workPanel().editor()->setText(QStringLiteral("Call the insurer first."));
    WriteFaults::inject(PlanArchive, 1, 5);
    f.archive(area, {PromptAnswer::Yes, PromptAnswer::Yes, PromptAnswer::Ok});
    WriteFaults::clear();
    QCOMPARE(f.spine.prompter.prompts().last().icon, PromptIcon::Critical);
    QVERIFY(f.spine.prompter.prompts().last().text.contains(QStringLiteral("keeps its contents")));
    QCOMPARE(savedText(f.spine.folder.dataPath(PlanArchive)), QStringLiteral("Call the backup site first."));
}

void TestArchiveArea::viewerShowsArchivesReadOnly()
{
    Fixture f;
    f.spine.folder.putData(QStringLiteral("Access Control Dec-01-26.Fla"), "{\\rtf1\\ansi Old access.\\par}");
    f.spine.folder.putData(Index, "\"Access Control Dec-01-26.Fla\"\r\n\"Gone Dec-02-26.Fla\"\r\n");
    ActionArea* area = f.withPlan();
    area->workPanel().editor()->setText(QStringLiteral("Edited plan."));
    QCOMPARE(area->state().unsavedChanges, 1);

    // Leaving the edited plan asks first; No drops the edits.
    f.spine.prompter.answer(PromptAnswer::No);
    area->menuAction(QStringLiteral("mOArchiveV"))->trigger();
    QCOMPARE(area->state().area, 11);
    QCOMPARE(area->state().documentKind, 22);
    ArchiveArea* viewer = area->archiveArea();
    QVERIFY(viewer->isVisible());
    QVERIFY(!area->incidentArea()->isVisible());
    QCOMPARE(viewer->selector()->count(), 2);
    QCOMPARE(viewer->selector()->itemText(0), QStringLiteral("Access Control Dec-01-26"));
    QVERIFY(viewer->selector()->isEnabled());
    QVERIFY(!viewer->deleteButton()->isVisible());
    QVERIFY(!area->workPanel().templateButton()->isVisible());
    QCOMPARE(viewer->selectorLabel()->text(), QStringLiteral("Document Title\nand Date Archived"));

    viewer->chooseArchive(0);
    RichTextEditor* editor = area->workPanel().editor();
    QCOMPARE(editor->text(), QStringLiteral("Old access."));
    QVERIFY(editor->isReadOnly());
    QVERIFY(!area->workPanel().command(WorkPanel::Save)->isEnabled());
    QVERIFY(!area->menuAction(QStringLiteral("mOSave"))->isEnabled());
    QVERIFY(viewer->deleteButton()->isVisible());
    QCOMPARE(area->state().unsavedChanges, 0);

    // A listed archive whose file is gone opens empty.
    viewer->chooseArchive(1);
    QCOMPARE(editor->text().trimmed(), QString());
    QVERIFY(editor->isReadOnly());
}

void TestArchiveArea::deletingArchives()
{
    Fixture f;
    ActionArea* area = f.spine.begin();
    area->viewArchives();
    f.spine.prompter.answer(PromptAnswer::Ok);
    area->archiveArea()->selectExisting();
    QCOMPARE(f.spine.prompter.prompts().last().text,
             QStringLiteral("There are currently no Existing/Saved Archive Documents!"));
    f.spine.prompter.takePrompts();

    f.spine.folder.putData(QStringLiteral("A Dec-01-26.Fla"), "{\\rtf1 a\\par}");
    f.spine.folder.putData(QStringLiteral("B Dec-01-26.Fla"), "{\\rtf1 b\\par}");
    f.spine.folder.putData(Index, "\"A Dec-01-26.Fla\"\r\n\"B Dec-01-26.Fla\"\r\n");
    ArchiveArea* viewer = area->archiveArea();
    viewer->selectExisting();
    QCOMPARE(viewer->statusLabel()->text(), QStringLiteral("There are - 2 Entries"));

    viewer->chooseArchive(0);
    f.spine.prompter.answer(PromptAnswer::No);
    viewer->deleteSelected();
    QVERIFY(QFile::exists(f.spine.folder.dataPath(QStringLiteral("A Dec-01-26.Fla"))));

    viewer->chooseArchive(0);
    f.spine.prompter.answer(PromptAnswer::Yes);
    viewer->deleteSelected();
    QCOMPARE(f.spine.prompter.prompts().last().text,
             QStringLiteral("Are you sure you want to delete file [ A Dec-01-26 ]?"));
    QVERIFY(!QFile::exists(f.spine.folder.dataPath(QStringLiteral("A Dec-01-26.Fla"))));
    QCOMPARE(bytesOf(f.spine.folder.dataPath(Index)), QByteArray("\"B Dec-01-26.Fla\"\r\n"));
    QCOMPARE(f.spine.prompter.prompts().last().effectiveDefault(), PromptAnswer::No);
    QCOMPARE(viewer->selector()->count(), 1);
    QVERIFY(!viewer->deleteButton()->isVisible());

    viewer->chooseArchive(0);
    f.spine.prompter.answer(PromptAnswer::Yes);
    viewer->deleteSelected();
    QVERIFY(!QFile::exists(f.spine.folder.dataPath(QStringLiteral("B Dec-01-26.Fla"))));
    QVERIFY(!QFile::exists(f.spine.folder.dataPath(Index)));
    QVERIFY(!viewer->selector()->isEnabled());
}

// The plan and the policies whose names meet in their first 28 characters, or match the plan's,
// archived the same day: each gets an archive of its own and none is asked to be replaced.
void TestArchiveArea::everyDocumentKeepsItsOwnArchive()
{
    Fixture f;
    ActionArea* area = f.withPlan();
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(f.spine.folder.dataDir());
    f.archive(area, {PromptAnswer::Yes, PromptAnswer::Ok});
    f.archivePolicy(area, 2, QStringLiteral("SSCommand14"), 17, QStringLiteral("Policy of the plan entry."));
    f.archivePolicy(area, 2, QStringLiteral("SSCommand14"), 22, QStringLiteral("Contracts with associates."));
    f.archivePolicy(area, 5, QStringLiteral("SSCommand15"), 1, QStringLiteral("Associate contracts standard."));
    f.archivePolicy(area, 2, QStringLiteral("SSCommand14"), 5, QStringLiteral("Who supervises whom."));
    for (const Prompt& shown : f.spine.prompter.prompts()) {
        QVERIFY2(shown.title != QStringLiteral("Replace Existing Archive File?"), qPrintable(shown.text));
    }

    const QStringList files = {PlanArchive,
                               QStringLiteral("Disaster Recovery Plan Policy 18 Dec-07-26.Fla"),
                               QStringLiteral("Business Associate Contracts Policy 23 Dec-07-26.Fla"),
                               QStringLiteral("Business associate contracts Policy 44 Dec-07-26.Fla"),
                               QStringLiteral("Authorization and-or Supervi Policy 6 Dec-07-26.Fla")};
    QByteArray lines;
    for (const QString& file : files) {
        lines += "\"" + file.toLatin1() + "\"\r\n";
    }
    QCOMPARE(bytesOf(f.spine.folder.dataPath(Index)), lines);
    QCOMPARE(savedText(f.spine.folder.dataPath(files.at(0))), QStringLiteral("Call the backup site first."));
    QCOMPARE(savedText(f.spine.folder.dataPath(files.at(1))), QStringLiteral("Policy of the plan entry."));
    QCOMPARE(savedText(f.spine.folder.dataPath(files.at(2))), QStringLiteral("Contracts with associates."));
    QCOMPARE(savedText(f.spine.folder.dataPath(files.at(3))), QStringLiteral("Associate contracts standard."));
    QCOMPARE(savedText(f.spine.folder.dataPath(files.at(4))), QStringLiteral("Who supervises whom."));

    QStringList written = {Index};
    for (const QString& file : files) {
        written.append(file);
    }
    QCOMPARE(before.unexpectedChanges(written), QString());
}

void TestArchiveArea::archiveOverAnUnlistedFileAsksFirst()
{
    Fixture f;
    // An archive of this morning whose index line was lost.
    f.spine.folder.putData(PlanArchive, "{\\rtf1\\ansi Morning copy.\\par}");
    ActionArea* area = f.withPlan();
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(f.spine.folder.dataDir());
    f.archive(area, {PromptAnswer::Yes, PromptAnswer::No});
    QCOMPARE(f.spine.prompter.prompts().last().title, QStringLiteral("Replace Existing Archive File?"));
    QCOMPARE(f.spine.prompter.prompts().last().effectiveDefault(), PromptAnswer::No);
    QCOMPARE(before.unexpectedChanges(), QString());

    f.archive(area, {PromptAnswer::Yes, PromptAnswer::Yes, PromptAnswer::Ok});
    QCOMPARE(savedText(f.spine.folder.dataPath(PlanArchive)), QStringLiteral("Call the backup site first."));
    QCOMPARE(bytesOf(f.spine.folder.dataPath(Index)), "\"" + PlanArchive.toLatin1() + "\"\r\n");
    const QStringList written = {PlanArchive, Index};
    QCOMPARE(before.unexpectedChanges(written), QString());
}

void TestArchiveArea::firstArchiveThatFailsSaysNothingWasArchived()
{
    Fixture f;
    ActionArea* area = f.withPlan();
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(f.spine.folder.dataDir());
    WriteFaults::inject(PlanArchive, 1, 5);
    f.archive(area, {PromptAnswer::Yes, PromptAnswer::Ok});
    WriteFaults::clear();
    const Prompt shown = f.spine.prompter.prompts().last();
    QCOMPARE(shown.icon, PromptIcon::Critical);
    QVERIFY2(shown.text.contains(QStringLiteral("nothing was archived")), qPrintable(shown.text));
    QVERIFY(!shown.text.contains(QStringLiteral("earlier archive")));
    QCOMPARE(before.unexpectedChanges(), QString());
}

void TestArchiveArea::hostileIndexLineIsShownButNotDeleted_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("the plan") << QStringLiteral("DRPln1.Fil");
    QTest::newRow("the status store") << QStringLiteral("Stat1.Fil");
    QTest::newRow("beside the data folder") << QStringLiteral("../Outside.Fla");
    QTest::newRow("no extension") << QStringLiteral("Plan copy");
}

void TestArchiveArea::hostileIndexLineIsShownButNotDeleted()
{
    QFETCH(QString, line);
    Fixture f;
    f.spine.folder.putData(Index, "\"" + line.toLatin1() + "\"\r\n");
    f.spine.folder.putData(QStringLiteral("Stat1.Fil"), QByteArray(40, '\0'));
    f.spine.folder.putData(QStringLiteral("Plan copy"), "user file");
    QFile outside(QFileInfo(f.spine.folder.dataDir()).path() + QStringLiteral("/Outside.Fla"));
    QVERIFY(outside.open(QIODevice::WriteOnly));
    outside.write("outside");
    outside.close();
    ActionArea* area = f.withPlan();
    area->viewArchives();
    ArchiveArea* viewer = area->archiveArea();
    QCOMPARE(viewer->selector()->count(), 1);
    viewer->chooseArchive(0);
    QVERIFY(viewer->deleteButton()->isVisible());
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(f.spine.folder.dataDir());
    f.spine.prompter.takePrompts();

    f.spine.prompter.answer(PromptAnswer::Ok);
    QTest::mouseClick(viewer->deleteButton(), Qt::LeftButton);
    const QList<Prompt> shown = f.spine.prompter.takePrompts();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).title, QStringLiteral("Delete File!"));
    QCOMPARE(shown.at(0).icon, PromptIcon::Warning);
    QVERIFY2(shown.at(0).text.contains(QStringLiteral("[ ") + line + QStringLiteral(" ]")),
             qPrintable(shown.at(0).text));
    QCOMPARE(before.unexpectedChanges(), QString());
    QCOMPARE(viewer->selector()->count(), 1);
}

void TestArchiveArea::viewerKeepsItsPlaceAndCaptions_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::newRow("1024x768") << QSize(1024, 768);
    QTest::newRow("1920x1080") << QSize(1920, 1080);
}

void TestArchiveArea::viewerKeepsItsPlaceAndCaptions()
{
    QFETCH(QSize, screen);
    Fixture f;
    ActionArea* area = f.withPlan();
    f.archive(area, {PromptAnswer::Yes, PromptAnswer::Ok});
    area->showNormal();
    showAtSize(area, screen);
    area->viewArchives();
    ArchiveArea* viewer = area->archiveArea();
    viewer->selectExisting();
    QTest::qWait(50);
    const QString size = QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height());
    grabToPng(area, QStringLiteral("archives-choosing-") + size);
    const QRect selectBefore = viewer->selectButton()->geometry();
    const QRect selectorBefore = viewer->selector()->geometry();
    const QPoint viewerBefore = viewer->mapTo(area, QPoint());

    viewer->chooseArchive(0);
    QTest::qWait(50);
    grabToPng(area, QStringLiteral("archives-opened-") + size);
    QVERIFY(viewer->deleteButton()->isVisible());
    QCOMPARE(viewer->selectButton()->geometry(), selectBefore);
    QCOMPARE(viewer->selector()->geometry(), selectorBefore);
    QCOMPARE(viewer->mapTo(area, QPoint()), viewerBefore);
    for (QPushButton* button : {viewer->selectButton(), viewer->deleteButton()}) {
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
    }
    // The heading above the editor is shown whole.
    const QString heading = QStringLiteral("Archived Policies, Risk Analysis Worksheets, Disaster Recovery Plan, "
                                           "Incident Reports - Print/Copy (Only)");
    QLabel* caption = nullptr;
    for (QLabel* label : area->findChildren<QLabel*>()) {
        if (label->text() == heading) {
            caption = label;
        }
    }
    QVERIFY(caption);
    QVERIFY(caption->isVisible());
    QVERIFY2(caption->wordWrap() || caption->width() >= caption->fontMetrics().horizontalAdvance(heading),
             qPrintable(QString::number(caption->width())));
}

QTEST_MAIN(TestArchiveArea)
#include "test_archivearea.moc"

#include "spinefixture.h"

#include "core/storage/clock.h"
#include "gui/actionarea/actionarea.h"
#include "gui/documents/archivearea.h"
#include "gui/documents/incidentarea.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
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
    QCOMPARE(viewer->selector()->count(), 1);
    QVERIFY(!viewer->deleteButton()->isVisible());

    viewer->chooseArchive(0);
    f.spine.prompter.answer(PromptAnswer::Yes);
    viewer->deleteSelected();
    QVERIFY(!QFile::exists(f.spine.folder.dataPath(QStringLiteral("B Dec-01-26.Fla"))));
    QVERIFY(!QFile::exists(f.spine.folder.dataPath(Index)));
    QVERIFY(!viewer->selector()->isEnabled());
}

QTEST_MAIN(TestArchiveArea)
#include "test_archivearea.moc"

// The project timeline as a user works it: items and dates typed and picked, rows inserted, deleted and
// cleared, the timeline saved, left with edits, and printed; every write checked against the bytes of
// every other file of the data folder.
#include "printingsupport.h"
#include "spinefixture.h"

#include "core/storage/clock.h"
#include "core/storage/programfolder.h"
#include "core/timeline/timelinemodel.h"
#include "foldersnapshot.h"
#include "gui/actionarea/actionarea.h"
#include "gui/kit/controlarray.h"
#include "gui/reports/printdesk.h"
#include "gui/timeline/timelinearea.h"
#include "screenshot.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;
using namespace qv::test;

namespace {

    const QString SaveQuestion = QStringLiteral("Save changes/entries before next action?");
    const QString Saved = QStringLiteral("Project Timeline/To Do List Has Been Saved/Updated!");
    const QString ItemFirst = QStringLiteral("Please, enter an Item before any dates.");
    const QString TimelineFile = QStringLiteral("TODOActv.FIL");
    const QString NamesFile = QStringLiteral("TODONAME.FIL");

    QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // The timeline file as the program writes it, with items (and a to-do date) in the first rows.
    QByteArray timelineFile(const QList<QPair<QString, QString>>& rows)
    {
        QByteArray bytes;
        for (int r = 0; r < timeline::RowCount; ++r) {
            const QPair<QString, QString> row = rows.value(r);
            for (const QString& cell : {row.first, row.second, QString(), QString(), QString()}) {
                bytes += '"' + cell.toLatin1() + "\"\r\n";
            }
        }
        return bytes;
    }

    // The Action Area in the timeline, over a data folder that holds other work of the user's too.
    struct Timeline
    {
        explicit Timeline(const QList<QPair<QString, QString>>& rows = {})
            : clock(QDateTime(QDate(2026, 12, 8), QTime(9, 0)))
        {
            Clock::setCurrent(&clock);
            const TempProgramFolder& f = spine.folder;
            f.putData(QStringLiteral("Stat1.Fil"), QByteArray(68 * 20, '\0'));
            f.putData(QStringLiteral("Action0.Fil"), "{\\rtf1\\ansi Risk analysis done.\\par}");
            if (!rows.isEmpty()) {
                f.putData(TimelineFile, timelineFile(rows));
            }
            area = spine.begin();
            press(area, QStringLiteral("SSCommand11"), 1);
            timelineArea = area->timelineArea();
            grid = timelineArea->grid();
            itemBox = area->findChild<QLineEdit*>(QStringLiteral("Text1"));
            picker = area->findChild<QComboBox*>(QStringLiteral("Combo2"));
        }
        ~Timeline()
        {
            Clock::setCurrent(nullptr);
        }

        void click(int row, int column)
        {
            const QModelIndex index = grid->model()->index(row, column);
            grid->scrollTo(index);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
        }

        void typeItem(const QString& text)
        {
            itemBox->setFocus();
            QTest::keyClicks(itemBox, text);
        }

        QString cell(int row, int column) const
        {
            return timelineArea->model().cell(row, column);
        }

        QStringList texts()
        {
            QStringList t;
            for (const Prompt& p : spine.prompter.takePrompts()) {
                t.append(p.text);
            }
            return t;
        }

        QString data(const QString& name) const
        {
            return spine.folder.dataPath(name);
        }

        FixedClock clock;
        Spine spine;
        ActionArea* area = nullptr;
        TimelineArea* timelineArea = nullptr;
        QTableView* grid = nullptr;
        QLineEdit* itemBox = nullptr;
        QComboBox* picker = nullptr;
    };

    QList<QPair<QString, QString>> rowsOf(int count)
    {
        QList<QPair<QString, QString>> rows;
        for (int i = 1; i <= count; ++i) {
            rows.append({QStringLiteral("Task %1").arg(i), i % 3 == 0 ? QStringLiteral("Mon - Dec 7, 26") : QString()});
        }
        return rows;
    }

} // namespace

class TestTimeline : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void itemAndDatesAreTypedPickedAndSaved();
    void aDateBeforeItsItemIsRefused();
    void itemBoxTakesNoQuoteAndFindsNames();
    void leavingWithEditsAsks();
    void aFailedSaveKeepsTheEditsAndTheArea();
    void rowsAreInsertedDeletedAndCleared();
    void anInsertThatWouldDropRow500Asks();
    void printOptionsOpenTheTimelinePrintout();
    void gridTypingSortingAndThePopUp();
    void printoutAsPdf();
    void screens_data();
    void screens();
};

void TestTimeline::cleanup()
{
    WriteFaults::clear();
}

void TestTimeline::itemAndDatesAreTypedPickedAndSaved()
{
    Timeline t;
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(t.spine.folder.dataDir());
    QVERIFY(!t.timelineArea->button(TimelineArea::Save)->isEnabled());

    // An item typed into the item box lands in the cell clicked, and its name is remembered at once.
    t.typeItem(QStringLiteral("Backup test"));
    QVERIFY(t.timelineArea->button(TimelineArea::AddToGrid)->isEnabled());
    t.click(0, timeline::Item);
    QCOMPARE(t.cell(0, timeline::Item), QStringLiteral("Backup test"));
    QCOMPARE(t.itemBox->text(), QString());
    QCOMPARE(bytesOf(t.data(NamesFile)), QByteArray("\"Backup test\"\r\n"));
    QCOMPARE(t.area->state().unsavedChanges, 1);

    // A date cell opens the calendar beside the grid; the day chosen is written in the cell's form.
    t.click(0, timeline::ActualDate);
    QCalendarWidget* calendar = t.timelineArea->calendar();
    QVERIFY(calendar->isVisible());
    QCOMPARE(calendar->selectedDate(), QDate(2026, 12, 8));
    Q_EMIT calendar->clicked(QDate(2026, 12, 7));
    QCOMPARE(t.cell(0, timeline::ActualDate), QStringLiteral("Mon - Dec 7, 26"));
    QVERIFY(!calendar->isVisible());
    // Reopened, the calendar starts at the cell's own date.
    t.click(0, timeline::ActualDate);
    QCOMPARE(calendar->selectedDate(), QDate(2026, 12, 7));

    // A remembered name picked for the next row, then "&Add to To Do Grid".
    QCOMPARE(t.picker->count(), 1);
    // Going to the picker from a date cell takes the current cell back to the item column.
    t.picker->setFocus();
    QTRY_VERIFY(!t.timelineArea->inCellEntry());
    t.picker->setCurrentIndex(0);
    Q_EMIT t.picker->activated(0);
    QCOMPARE(t.itemBox->text(), QStringLiteral("Backup test"));
    press(t.area, QStringLiteral("SSCommand19"), TimelineArea::AddToGrid);
    QCOMPARE(t.cell(1, timeline::Item), QStringLiteral("Backup test"));

    t.spine.prompter.answer(PromptAnswer::Ok);
    press(t.area, QStringLiteral("SSCommand19"), TimelineArea::Save);
    QCOMPARE(t.texts(), QStringList({Saved}));
    QCOMPARE(t.area->state().unsavedChanges, 0);
    // The first row carries its actual date in the third of its five lines.
    QByteArray expected =
        timelineFile({{QStringLiteral("Backup test"), QString()}, {QStringLiteral("Backup test"), QString()}});
    expected.replace(0, 23, "\"Backup test\"\r\n\"\"\r\n\"Mon - Dec 7, 26\"\r\n");
    QCOMPARE(bytesOf(t.data(TimelineFile)), expected);
    QVERIFY2(before.unexpectedChanges({TimelineFile, NamesFile}).isEmpty(),
             qPrintable(before.unexpectedChanges({TimelineFile, NamesFile})));

    // Saving again without a change says nothing and writes nothing.
    const FolderSnapshot saved(t.spine.folder.dataDir());
    t.timelineArea->saveWithMessage();
    QCOMPARE(t.texts(), QStringList());
    QVERIFY2(saved.unexpectedChanges().isEmpty(), qPrintable(saved.unexpectedChanges()));
}

void TestTimeline::aDateBeforeItsItemIsRefused()
{
    Timeline t(rowsOf(3));
    t.spine.prompter.answer(PromptAnswer::Ok);
    t.click(7, timeline::ToDoDate);
    QCOMPARE(t.spine.prompter.prompts().constLast().title, QStringLiteral("Item Grid"));
    QCOMPARE(t.texts(), QStringList({ItemFirst}));
    QVERIFY(!t.timelineArea->calendar()->isVisible());
    // The first row without an item is made current, ready for one.
    QCOMPARE(t.grid->currentIndex().row(), 3);
    QCOMPARE(t.grid->currentIndex().column(), int(timeline::Item));
    QCOMPARE(t.grid->rowAt(0), 3);
}

void TestTimeline::itemBoxTakesNoQuoteAndFindsNames()
{
    Timeline t;
    t.spine.folder.putData(NamesFile, "\"Audit logs\"\r\n\"Backup plan\"\r\n\"Backup test\"\r\n");
    press(t.area, QStringLiteral("SSCommand11"), 0);
    press(t.area, QStringLiteral("SSCommand11"), 1);
    QCOMPARE(t.picker->count(), 3);

    t.typeItem(QStringLiteral("Policy\""));
    QCOMPARE(t.itemBox->text(), QStringLiteral("Policy"));
    t.itemBox->clear();
    t.typeItem(QStringLiteral("\""));
    QCOMPARE(t.itemBox->text(), QStringLiteral("\""));
    t.itemBox->clear();

    // Type-ahead finds the first name too, and the first of several that start alike.
    t.typeItem(QStringLiteral("au"));
    QCOMPARE(t.picker->currentText(), QStringLiteral("Audit logs"));
    t.itemBox->clear();
    t.typeItem(QStringLiteral("backup"));
    QCOMPARE(t.picker->currentText(), QStringLiteral("Backup plan"));

    // A name the same but for case and trailing blanks is not remembered twice.
    t.itemBox->clear();
    t.typeItem(QStringLiteral("BACKUP PLAN"));
    press(t.area, QStringLiteral("SSCommand19"), TimelineArea::AddToGrid);
    QCOMPARE(t.cell(0, timeline::Item), QStringLiteral("BACKUP PLAN"));
    QCOMPARE(t.picker->count(), 3);

    // Enter in the box puts its text, with two blanks after it, into the cell last clicked.
    t.click(0, timeline::Item);
    t.typeItem(QStringLiteral("Review"));
    QTest::keyClick(t.itemBox, Qt::Key_Return);
    QCOMPARE(t.cell(0, timeline::Item), QStringLiteral("Review  "));
    QCOMPARE(t.itemBox->text(), QString());

    // A name picked and then forgotten leaves the list and its file, and no row.
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(t.spine.folder.dataDir());
    t.picker->setCurrentIndex(1);
    Q_EMIT t.picker->activated(1);
    QCOMPARE(t.itemBox->text(), QStringLiteral("Backup plan"));
    press(t.area, QStringLiteral("SSCommand19"), TimelineArea::ForgetName);
    QCOMPARE(bytesOf(t.data(NamesFile)), QByteArray("\"Audit logs\"\r\n\"Backup test\"\r\n\"Review\"\r\n"));
    QCOMPARE(t.picker->count(), 3);
    QCOMPARE(t.cell(0, timeline::Item), QStringLiteral("Review  "));
    QVERIFY2(before.unexpectedChanges({NamesFile}).isEmpty(), qPrintable(before.unexpectedChanges({NamesFile})));
}

void TestTimeline::leavingWithEditsAsks()
{
    Timeline t(rowsOf(2));
    const QByteArray original = bytesOf(t.data(TimelineFile));
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(t.spine.folder.dataDir());
    t.typeItem(QStringLiteral("Train staff"));
    press(t.area, QStringLiteral("SSCommand19"), TimelineArea::AddToGrid);

    // No: the edits go, nothing is written.
    t.spine.prompter.answer(PromptAnswer::No);
    press(t.area, QStringLiteral("SSCommand19"), TimelineArea::Exit);
    QCOMPARE(t.texts(), QStringList({SaveQuestion}));
    QCOMPARE(t.area->state().area, 0);
    QCOMPARE(bytesOf(t.data(TimelineFile)), original);

    // Back in the timeline the file's rows are shown again; Yes saves without a message of its own.
    press(t.area, QStringLiteral("SSCommand11"), 1);
    QCOMPARE(t.cell(2, timeline::Item), QString());
    t.typeItem(QStringLiteral("Train staff"));
    press(t.area, QStringLiteral("SSCommand19"), TimelineArea::AddToGrid);
    t.spine.prompter.answer(PromptAnswer::Yes);
    press(t.area, QStringLiteral("SSCommand11"), 2);
    QCOMPARE(t.texts(), QStringList({SaveQuestion}));
    QCOMPARE(t.area->state().area, 2);
    QVERIFY(bytesOf(t.data(TimelineFile))
                .startsWith(timelineFile({{QStringLiteral("Task 1"), QString()},
                                          {QStringLiteral("Task 2"), QString()},
                                          {QStringLiteral("Train staff"), QString()}})
                                .left(300)));
    QVERIFY2(before.unexpectedChanges({TimelineFile, NamesFile}).isEmpty(),
             qPrintable(before.unexpectedChanges({TimelineFile, NamesFile})));
}

void TestTimeline::aFailedSaveKeepsTheEditsAndTheArea()
{
    Timeline t(rowsOf(2));
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(t.spine.folder.dataDir());
    t.typeItem(QStringLiteral("Patch servers"));
    press(t.area, QStringLiteral("SSCommand19"), TimelineArea::AddToGrid);

    WriteFaults::inject(TimelineFile, -1, 100);
    t.spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    press(t.area, QStringLiteral("SSCommand11"), 0);
    const QList<Prompt> prompts = t.spine.prompter.takePrompts();
    QCOMPARE(prompts.size(), 2);
    QCOMPARE(prompts.at(0).text, SaveQuestion);
    QCOMPARE(prompts.at(1).icon, PromptIcon::Critical);
    // Still in the timeline with the edit, and the old file as it was.
    QCOMPARE(t.area->state().area, 1);
    QCOMPARE(t.area->state().unsavedChanges, 1);
    QCOMPARE(t.cell(2, timeline::Item), QStringLiteral("Patch servers"));
    QVERIFY2(before.unexpectedChanges({NamesFile}).isEmpty(), qPrintable(before.unexpectedChanges({NamesFile})));

    // The button's save fails the same way, and shows no success.
    t.spine.prompter.answer(PromptAnswer::Ok);
    press(t.area, QStringLiteral("SSCommand19"), TimelineArea::Save);
    QCOMPARE(t.spine.prompter.takePrompts().constLast().icon, PromptIcon::Critical);
    QCOMPARE(t.area->state().unsavedChanges, 1);
    QVERIFY2(before.unexpectedChanges({NamesFile}).isEmpty(), qPrintable(before.unexpectedChanges({NamesFile})));
}

void TestTimeline::rowsAreInsertedDeletedAndCleared()
{
    Timeline t(rowsOf(4));
    const FolderSnapshot before(t.spine.folder.dataDir());
    QAction* insert = t.area->menuAction(QStringLiteral("mOInsert"));

    // Delete before any click acts on row 1; No keeps it.
    t.spine.prompter.answer(PromptAnswer::No);
    t.area->menuAction(QStringLiteral("mODelete"))->setEnabled(true);
    t.area->menuAction(QStringLiteral("mODelete"))->trigger();
    QList<Prompt> asked = t.spine.prompter.takePrompts();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.at(0).title, QStringLiteral("Delete Row"));
    QCOMPARE(asked.at(0).text, QStringLiteral("Delete Activity and Dates for - \rTask 1, Task 1?"));
    QCOMPARE(asked.at(0).buttons, PromptButtons::YesNoCancel);
    QCOMPARE(asked.at(0).effectiveDefault(), PromptAnswer::No);
    QCOMPARE(t.cell(0, timeline::Item), QStringLiteral("Task 1"));

    // A row inserted before the clicked one; a second insert without a click adds nothing.
    t.click(1, timeline::Item);
    Q_EMIT t.area->optionsMenu()->aboutToShow();
    QVERIFY(insert->isEnabled());
    insert->trigger();
    insert->trigger();
    QCOMPARE(t.cell(1, timeline::Item), QString());
    QCOMPARE(t.cell(2, timeline::Item), QStringLiteral("Task 2"));
    QCOMPARE(t.cell(3, timeline::Item), QStringLiteral("Task 3"));
    QCOMPARE(t.cell(4, timeline::Item), QStringLiteral("Task 4"));
    QCOMPARE(t.cell(5, timeline::Item), QString());
    Q_EMIT t.area->optionsMenu()->aboutToShow();
    QVERIFY(!insert->isEnabled());

    // Yes deletes the clicked row; a blank row appears at the bottom.
    t.click(3, timeline::Item);
    t.spine.prompter.answer(PromptAnswer::Yes);
    press(t.area, QStringLiteral("SSCommand19"), TimelineArea::DeleteRow);
    QCOMPARE(t.texts(), QStringList({QStringLiteral("Delete Activity and Dates for - \rTask 3, Task 3?")}));
    QCOMPARE(t.cell(3, timeline::Item), QStringLiteral("Task 4"));
    QCOMPARE(t.cell(4, timeline::Item), QString());
    QCOMPARE(t.timelineArea->model().rowCount(), 500);

    // Clear asks, with No preselected; nothing reaches the disk until the timeline is saved.
    t.spine.prompter.answer(PromptAnswer::Cancel);
    t.area->menuAction(QStringLiteral("mOClear"))->trigger();
    QCOMPARE(t.cell(0, timeline::Item), QStringLiteral("Task 1"));
    t.spine.prompter.answer(PromptAnswer::Yes);
    press(t.area, QStringLiteral("SSCommand19"), TimelineArea::ClearGrid);
    asked = t.spine.prompter.takePrompts();
    QCOMPARE(asked.constLast().title, QStringLiteral("Clear Grid"));
    QCOMPARE(asked.constLast().text, QStringLiteral("Do you really want To Clear the Grid?"));
    QCOMPARE(asked.constLast().effectiveDefault(), PromptAnswer::No);
    QVERIFY(!t.timelineArea->model().hasItems());
    QVERIFY2(before.unexpectedChanges().isEmpty(), qPrintable(before.unexpectedChanges()));
    t.spine.prompter.answer(PromptAnswer::Ok);
    press(t.area, QStringLiteral("SSCommand19"), TimelineArea::Save);
    QCOMPARE(bytesOf(t.data(TimelineFile)), timelineFile({}));
    QVERIFY2(before.unexpectedChanges({TimelineFile}).isEmpty(), qPrintable(before.unexpectedChanges({TimelineFile})));
}

void TestTimeline::anInsertThatWouldDropRow500Asks()
{
    Timeline t(rowsOf(2));
    t.timelineArea->model().setCell(499, timeline::Item, QStringLiteral("Last review"));
    QAction* insert = t.area->menuAction(QStringLiteral("mOInsert"));
    t.click(0, timeline::Item);
    t.spine.prompter.answer(PromptAnswer::No);
    insert->trigger();
    const QList<Prompt> asked = t.spine.prompter.takePrompts();
    QCOMPARE(asked.size(), 1);
    QVERIFY2(asked.at(0).text.contains(QStringLiteral("Last review")), qPrintable(asked.at(0).text));
    QCOMPARE(asked.at(0).effectiveDefault(), PromptAnswer::No);
    QCOMPARE(t.cell(0, timeline::Item), QStringLiteral("Task 1"));
    QCOMPARE(t.cell(499, timeline::Item), QStringLiteral("Last review"));

    t.click(0, timeline::Item);
    t.spine.prompter.answer(PromptAnswer::Yes);
    insert->trigger();
    t.texts();
    QCOMPARE(t.cell(0, timeline::Item), QString());
    QCOMPARE(t.cell(1, timeline::Item), QStringLiteral("Task 1"));
    QCOMPARE(t.cell(499, timeline::Item), QString());
}

void TestTimeline::printOptionsOpenTheTimelinePrintout()
{
    Timeline t;
    t.spine.prompter.answer(PromptAnswer::Ok);
    press(t.area, QStringLiteral("SSCommand19"), TimelineArea::PrintOptions);
    QCOMPARE(t.spine.prompter.prompts().constLast().title, QStringLiteral("Print"));
    QCOMPARE(t.texts(), QStringList({QStringLiteral("There are currently No Entries to Print!")}));
    QVERIFY(!panelOf(t.area)->isVisible());

    t.typeItem(QStringLiteral("Backup test"));
    press(t.area, QStringLiteral("SSCommand19"), TimelineArea::AddToGrid);
    t.timelineArea->model().setCell(5, timeline::ToDoDate, QStringLiteral("Mon - Dec 7, 26"));
    t.area->menuAction(QStringLiteral("mOPrint"))->trigger();
    PrintOptionsPanel* panel = panelOf(t.area);
    QVERIFY(panel->isVisible());
    QCheckBox* asOf = controlAt<QCheckBox>(panel, QStringLiteral("SSCheck81"), 0);
    QVERIFY(asOf && asOf->isVisible());
    const PageEngine& engine = t.area->printDesk()->engine();
    QString text = allText(engine);
    QVERIFY2(text.contains(QStringLiteral("Project Timeline/To Do List")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Backup test")));
    QVERIFY(!text.contains(QStringLiteral("As of")));
    // A row with a date but no item is not printed.
    QVERIFY(!text.contains(QStringLiteral("Dec 7")));

    QTest::mouseClick(asOf, Qt::LeftButton, {}, QPoint(6, asOf->height() / 2));
    text = allText(t.area->printDesk()->engine());
    QVERIFY2(text.contains(QStringLiteral("As of  December 08, 2026")), qPrintable(text));
    showAtSize(t.area, QSize(1024, 768));
    QVERIFY(QTest::qWaitForWindowExposed(t.area));
    grabToPng(t.area, QStringLiteral("timeline-print-1024x768"));
}

void TestTimeline::gridTypingSortingAndThePopUp()
{
    Timeline t({{QStringLiteral("Train staff"), QString()},
                {QString(), QString()},
                {QStringLiteral("audit logs"), QStringLiteral("Mon - Dec 7, 26")},
                {QStringLiteral("Backup test"), QString()}});

    // Typed into the item cell itself: at most 45 characters, and the name is remembered.
    t.click(1, timeline::Item);
    t.grid->setFocus();
    QTest::keyClick(t.grid, 'E');
    auto* editor = t.grid->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("ncrypt laptops and every backup disk of the office"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(t.cell(1, timeline::Item), QStringLiteral("Encrypt laptops and every backup disk of the "));
    QCOMPARE(t.picker->count(), 1);
    QVERIFY(!t.timelineArea->inCellEntry());
    QCOMPARE(t.area->state().unsavedChanges, 1);

    // An ascending sort by item, whatever the order the heading was in before, keeps 500 rows with
    // the items on top.
    t.area->state().unsavedChanges = 0;
    QHeaderView* header = t.grid->horizontalHeader();
    t.grid->sortByColumn(timeline::Item, Qt::AscendingOrder);
    const QStringList sorted{t.cell(0, 0), t.cell(1, 0), t.cell(2, 0), t.cell(3, 0), t.cell(4, 0)};
    QCOMPARE(sorted,
             QStringList({QStringLiteral("audit logs"),
                          QStringLiteral("Backup test"),
                          QStringLiteral("Encrypt laptops and every backup disk of the "),
                          QStringLiteral("Train staff"),
                          QString()}));
    QCOMPARE(t.cell(0, timeline::ToDoDate), QStringLiteral("Mon - Dec 7, 26"));
    QCOMPARE(t.timelineArea->model().rowCount(), 500);
    QCOMPARE(t.area->state().unsavedChanges, 1);
    QVERIFY(header->sectionsClickable());

    // The right button over the grid brings up the "&Options" menu, with "&Insert Row" only after a
    // data cell was clicked.
    t.click(2, timeline::Item);
    const QPoint at = t.grid->visualRect(t.grid->model()->index(2, 0)).center();
    QTest::mouseRelease(t.grid->viewport(), Qt::RightButton, {}, at);
    QTRY_VERIFY(t.area->optionsMenu()->isVisible());
    QVERIFY(t.area->menuAction(QStringLiteral("mOInsert"))->isEnabled());
    t.area->optionsMenu()->hide();
}

// The printout as another program reads it: title, "As of" line, headings and rows in their columns.
void TestTimeline::printoutAsPdf()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) {
        QSKIP("pdftotext (poppler-utils) is not installed");
    }
    Timeline t({{QStringLiteral("Backup test"), QStringLiteral("Mon - Dec 7, 26")},
                {QStringLiteral("Train staff"), QString()}});
    t.timelineArea->model().setCell(1, timeline::NextReviewDate, QStringLiteral("Fri - Jan 8, 27"));
    press(t.area, QStringLiteral("SSCommand19"), TimelineArea::PrintOptions);
    PrintOptionsPanel* panel = panelOf(t.area);
    QCheckBox* asOf = controlAt<QCheckBox>(panel, QStringLiteral("SSCheck81"), 0);
    QTest::mouseClick(asOf, Qt::LeftButton, {}, QPoint(6, asOf->height() / 2));

    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("timeline.pdf"));
    t.spine.dialogs.answerSaveFile(pdf);
    t.spine.prompter.answer(PromptAnswer::Ok);
    QTest::mouseClick(panel->command(PrintOptionsPanel::SavePdfCommand), Qt::LeftButton);
    QVERIFY(QFile::exists(pdf));
    QProcess tool;
    tool.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(tool.waitForFinished(60000));
    const QStringList lines = QString::fromUtf8(tool.readAllStandardOutput()).split(u'\n');

    auto lineWith = [&lines](const QString& text) {
        for (const QString& line : lines) {
            if (line.contains(text)) {
                return line;
            }
        }
        return QString();
    };
    QVERIFY(!lineWith(QStringLiteral("Project Timeline/To Do List")).isEmpty());
    QVERIFY(!lineWith(QStringLiteral("As of December 08, 2026")).isEmpty() ||
            !lineWith(QStringLiteral("As of  December 08, 2026")).isEmpty());
    const QString headings = lineWith(QStringLiteral("To Do Item"));
    const QString first = lineWith(QStringLiteral("Backup test"));
    const QString second = lineWith(QStringLiteral("Train staff"));
    QVERIFY2(!headings.isEmpty() && !first.isEmpty() && !second.isEmpty(), qPrintable(lines.join(u'\n')));
    // Each date stands under its heading, give or take the centring of a shorter text.
    auto under = [&headings](const QString& line, const QString& date, const QString& heading) {
        const qsizetype d = line.indexOf(date) + date.size() / 2;
        const qsizetype h = headings.indexOf(heading) + heading.size() / 2;
        return std::abs(d - h) <= 4;
    };
    QVERIFY2(under(first, QStringLiteral("Mon - Dec 7, 26"), QStringLiteral("To Do Date")),
             qPrintable(headings + u'\n' + first));
    QVERIFY2(under(second, QStringLiteral("Fri - Jan 8, 27"), QStringLiteral("Next Review Date")),
             qPrintable(headings + u'\n' + second));
    QVERIFY(first.indexOf(QStringLiteral("Backup test")) <= headings.indexOf(QStringLiteral("To Do Item")));
}

void TestTimeline::screens_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("1024x768") << QSize(1024, 768);
    QTest::newRow("1920x1080") << QSize(1920, 1080);
}

void TestTimeline::screens()
{
    QFETCH(QSize, size);
    const QString suffix = QStringLiteral("-%1x%2").arg(size.width()).arg(size.height());
    Timeline t(rowsOf(30));
    showAtSize(t.area, size);
    QVERIFY(QTest::qWaitForWindowExposed(t.area));
    QTest::qWait(20);
    grabToPng(t.area, QStringLiteral("timeline") + suffix);

    t.click(4, timeline::ActualDate);
    QVERIFY(t.timelineArea->calendar()->isVisible());
    const QRect calendar(t.timelineArea->calendar()->mapTo(t.area, QPoint()), t.timelineArea->calendar()->size());
    QVERIFY2(t.area->rect().contains(calendar), "the calendar lies outside the window");
    grabToPng(t.area, QStringLiteral("timeline-calendar") + suffix);

    t.click(6, timeline::Item);
    t.timelineArea->highlightRow(7);
    grabToPng(t.area, QStringLiteral("timeline-delete") + suffix);
    t.timelineArea->highlightRow(0);
}

QTEST_MAIN(TestTimeline)
#include "test_timelinearea.moc"

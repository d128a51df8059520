#include "spinefixture.h"

#include "core/storage/programfolder.h"
#include "foldersnapshot.h"
#include "gui/actionarea/actionarea.h"
#include "gui/documents/incidentarea.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"
#include "screenshot.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace qv;
using namespace qv::test;

namespace {

    const QString Index = QStringLiteral("IncidHold.Flc");
    const QString NewTitle = QStringLiteral("Select New Report - Insert Template");
    const QString EnterTitle = QStringLiteral("Please enter Title/Name of this Incident Report Prior to Saving!");
    const QByteArray OldReport = "{\\rtf1\\ansi The laptop was found.\\par}";

    enum Command
    {
        SelectExisting = 0,
        FromTemplate = 1,
        Blank = 2,
        Delete = 3
    };

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

    QStringList filesUnder(const QString& root)
    {
        QStringList found;
        QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            found.append(QDir(root).relativeFilePath(it.next()));
        }
        found.sort();
        return found;
    }

    QColor base(QLineEdit* box)
    {
        return box->palette().color(QPalette::Base);
    }

    // The Action Area in the incident reports, over a data folder that may hold reports already.
    struct Fixture
    {
        // extraLines are put into the index as they are, after the stored reports' lines.
        explicit Fixture(const QStringList& stored = {}, const QByteArray& extraLines = {})
            : spine(QStringLiteral(QUORVANE_CONTENT_DIR))
        {
            QByteArray lines;
            for (const QString& title : stored) {
                spine.folder.putData(title + QStringLiteral(".Flc"), OldReport);
                lines += "\"" + title.toLatin1() + ".Flc\"\r\n";
            }
            lines += extraLines;
            if (!lines.isEmpty()) {
                spine.folder.putData(Index, lines);
            }
            area = spine.begin();
            press(area, QStringLiteral("SSCommand11"), 10);
            incidents = area->incidentArea();
        }

        void run(Command command, std::initializer_list<PromptAnswer> answers = {})
        {
            spine.prompter.answer(answers);
            QPushButton* button = incidents->command(command);
            QVERIFY2(button->isVisible() && button->isEnabled(), qPrintable(button->text()));
            QTest::mouseClick(button, Qt::LeftButton);
        }

        void type(const QString& text)
        {
            RichTextEditor* editor = area->workPanel().editor();
            editor->setFocus();
            QTest::keyClicks(editor, text);
        }

        void choose(int position)
        {
            QComboBox* selector = incidents->selector();
            selector->setCurrentIndex(position);
            Q_EMIT selector->activated(position);
        }

        void save(std::initializer_list<PromptAnswer> answers = {})
        {
            spine.prompter.answer(answers);
            area->save();
        }

        Prompt last() const
        {
            return spine.prompter.prompts().isEmpty() ? Prompt() : spine.prompter.prompts().last();
        }

        QString data(const QString& name) const
        {
            return spine.folder.dataPath(name);
        }

        Spine spine;
        ActionArea* area = nullptr;
        IncidentArea* incidents = nullptr;
    };

} // namespace

class TestIncidentArea : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void enteringListsTheStoredReports();
    void newReportFromTheTemplateIsSavedAndListed();
    void sameTitleInOtherCaseAsksToReplace_data();
    void sameTitleInOtherCaseAsksToReplace();
    void typedTitleOverAnOpenedReportKeepsTheOld_data();
    void typedTitleOverAnOpenedReportKeepsTheOld();
    void updatingAnOpenedReport();
    void choosingAnotherReportKeepsTheEdits();
    void deletingTheLastReportRemovesTheIndex();
    void missingTitleOrTextIsAskedFor_data();
    void missingTitleOrTextIsAskedFor();
    void hostileTitlesAreRefused_data();
    void hostileTitlesAreRefused();
    void titleBoxTakes35Characters();
    void failedWriteKeepsTheOldReport();
    void selectExistingWithUnsavedChanges_data();
    void selectExistingWithUnsavedChanges();
    void hostileIndexLineIsShownButNotDeleted_data();
    void hostileIndexLineIsShownButNotDeleted();
    void newReportOverAnUnlistedFileAsksFirst();
    void rowKeepsItsPlaceAndCaptions_data();
    void rowKeepsItsPlaceAndCaptions();
};

void TestIncidentArea::cleanup()
{
    WriteFaults::clear();
}

void TestIncidentArea::enteringListsTheStoredReports()
{
    Fixture f({QStringLiteral("Zeta"), QStringLiteral("Alpha")});
    QCOMPARE(f.incidents->mode(), IncidentArea::Idle);
    QComboBox* selector = f.incidents->selector();
    QCOMPARE(selector->count(), 2);
    QCOMPARE(selector->itemText(0), QStringLiteral("Zeta"));
    QCOMPARE(selector->currentText(), QStringLiteral("Select Existing Report"));
    QVERIFY(!f.incidents->command(Delete)->isVisible());
    QVERIFY(!f.area->workPanel().templateButton()->isVisible());
    QCOMPARE(f.incidents->statusLabel()->text(), QStringLiteral("Enter File Title/Name Above"));

    f.run(SelectExisting);
    QCOMPARE(f.incidents->statusLabel()->text(), QStringLiteral("There are - 2 Entries"));
    QVERIFY(f.incidents->statusLabel()->font().bold());
    QCOMPARE(f.incidents->mode(), IncidentArea::Choosing);
    QVERIFY(!f.incidents->titleBox()->isEnabled());

    // Another area hides the commands; coming back shows them again.
    press(f.area, QStringLiteral("SSCommand11"), 3);
    QVERIFY(!f.incidents->isVisible());
    press(f.area, QStringLiteral("SSCommand11"), 10);
    QVERIFY(f.incidents->command(SelectExisting)->isVisible());
}

void TestIncidentArea::newReportFromTheTemplateIsSavedAndListed()
{
    Fixture f({QStringLiteral("Older")});
    f.run(FromTemplate, {PromptAnswer::Ok});
    QCOMPARE(f.last(), (Prompt{NewTitle, EnterTitle, PromptIcon::Information, PromptButtons::Ok, PromptAnswer::Ok}));
    QCOMPARE(f.incidents->mode(), IncidentArea::FromTemplate);
    QLineEdit* title = f.incidents->titleBox();
    QVERIFY(title->isEnabled());
    QCOMPARE(base(title), QColor(255, 255, 0));
    const QString form = f.area->workPanel().editor()->text();
    QVERIFY2(!form.trimmed().isEmpty(), "the template was not loaded");
    QCOMPARE(f.area->state().unsavedChanges, 0);

    QTest::keyClicks(title, QStringLiteral("Breach Jan 3"));
    f.type(QStringLiteral("Phished. "));
    f.save({PromptAnswer::Ok});
    QCOMPARE(f.last().title, QStringLiteral("Save File Action"));
    QCOMPARE(f.last().text, QStringLiteral("This File [ Breach Jan 3 ] Has Been Saved/Updated!"));
    QCOMPARE(f.last().icon, PromptIcon::Information);
    QCOMPARE(bytesOf(f.data(Index)), QByteArray("\"Older.Flc\"\r\n\"Breach Jan 3.Flc\"\r\n"));
    QVERIFY(savedText(f.data(QStringLiteral("Breach Jan 3.Flc"))).startsWith(QStringLiteral("Phished. ")));

    // The screen is reset: nothing left to save, the new report in the selector.
    QCOMPARE(f.area->state().unsavedChanges, 0);
    QVERIFY(f.area->workPanel().editor()->text().isEmpty());
    QCOMPARE(f.incidents->selector()->itemText(1), QStringLiteral("Breach Jan 3"));
    QCOMPARE(f.incidents->selector()->currentText(), QStringLiteral("Select Existing Report"));
    QVERIFY(!f.incidents->titleBox()->isEnabled());
    const qsizetype asked = f.spine.prompter.prompts().size();
    QVERIFY(!f.incidents->save());
    QCOMPARE(f.spine.prompter.prompts().size(), asked);
}

void TestIncidentArea::sameTitleInOtherCaseAsksToReplace_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("No keeps the stored report") << false;
    QTest::newRow("Yes replaces it") << true;
}

void TestIncidentArea::sameTitleInOtherCaseAsksToReplace()
{
    QFETCH(bool, replace);
    Fixture f({QStringLiteral("Breach Jan 3")});
    f.run(Blank, {PromptAnswer::Ok});
    QTest::keyClicks(f.incidents->titleBox(), QStringLiteral("breach JAN 3"));
    f.type(QStringLiteral("Second account."));
    if (replace) {
        f.save({PromptAnswer::Yes, PromptAnswer::Ok});
    } else {
        // No answers the question only: nothing else is shown.
        f.save({PromptAnswer::No});
    }
    const QList<Prompt>& shown = f.spine.prompter.prompts();
    const Prompt question = shown.at(replace ? shown.size() - 2 : shown.size() - 1);
    QCOMPARE(question,
             (Prompt{QStringLiteral("Save Changes to Existing File?"),
                     QStringLiteral("File by Name [ breach JAN 3 ] already Exists!\rDo you want to Replace it?"),
                     PromptIcon::Question,
                     PromptButtons::YesNo,
                     PromptAnswer::No}));
    QCOMPARE(bytesOf(f.data(Index)), QByteArray("\"Breach Jan 3.Flc\"\r\n"));
    QCOMPARE(f.area->state().unsavedChanges, 0);
    QCOMPARE(QDir(f.spine.folder.dataDir()).entryList({QStringLiteral("*.Flc")}, QDir::Files).size(), 2);
    if (replace) {
        QCOMPARE(f.last().text, QStringLiteral("File Has Been Saved/Updated!"));
        QCOMPARE(f.last().title, QStringLiteral("File Save Command"));
        QCOMPARE(savedText(f.data(QStringLiteral("Breach Jan 3.Flc"))), QStringLiteral("Second account."));
    } else {
        QCOMPARE(bytesOf(f.data(QStringLiteral("Breach Jan 3.Flc"))), OldReport);
    }
}

void TestIncidentArea::typedTitleOverAnOpenedReportKeepsTheOld_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("a longer title") << QStringLiteral("Lost laptop follow-up");
    // The start of the stored title must not be completed to it, which would replace that report.
    QTest::newRow("the start of the stored title") << QStringLiteral("Lost");
}

void TestIncidentArea::typedTitleOverAnOpenedReportKeepsTheOld()
{
    QFETCH(QString, typed);
    Fixture f({QStringLiteral("Lost laptop")});
    f.run(SelectExisting);
    QCOMPARE(f.incidents->statusLabel()->text(), QStringLiteral("There is - 1 Entry"));
    f.choose(0);
    QCOMPARE(f.incidents->mode(), IncidentArea::Opened);
    QVERIFY(f.incidents->command(Delete)->isVisible());
    QCOMPARE(f.area->workPanel().editor()->text(), QStringLiteral("The laptop was found."));

    QLineEdit* box = f.incidents->selector()->lineEdit();
    box->selectAll();
    QTest::keyClicks(box, typed);
    QCOMPARE(f.area->state().unsavedChanges, IncidentArea::TitleTyped);
    f.save({PromptAnswer::Ok});
    QCOMPARE(f.last().text, QStringLiteral("This File [ %1 ] Has Been Saved/Updated!").arg(typed));
    QCOMPARE(bytesOf(f.data(Index)), "\"Lost laptop.Flc\"\r\n\"" + typed.toLatin1() + ".Flc\"\r\n");
    QCOMPARE(bytesOf(f.data(QStringLiteral("Lost laptop.Flc"))), OldReport);
    QCOMPARE(savedText(f.data(typed + QStringLiteral(".Flc"))), QStringLiteral("The laptop was found."));
}

void TestIncidentArea::updatingAnOpenedReport()
{
    Fixture f({QStringLiteral("A"), QStringLiteral("B")});
    f.run(SelectExisting);
    f.choose(1);
    // Opening is no edit: Save does nothing yet.
    QVERIFY(!f.incidents->save());
    f.type(QStringLiteral("Update: "));
    QCOMPARE(f.area->state().unsavedChanges, 1);
    f.save({PromptAnswer::Ok});
    QCOMPARE(f.last().text, QStringLiteral("This File [ B ] Has Been Updated/Saved!"));
    QCOMPARE(savedText(f.data(QStringLiteral("B.Flc"))), QStringLiteral("Update: The laptop was found."));
    QCOMPARE(bytesOf(f.data(QStringLiteral("A.Flc"))), OldReport);
    QCOMPARE(bytesOf(f.data(Index)), QByteArray("\"A.Flc\"\r\n\"B.Flc\"\r\n"));
}

void TestIncidentArea::choosingAnotherReportKeepsTheEdits()
{
    Fixture f({QStringLiteral("A"), QStringLiteral("B")});
    f.run(SelectExisting);
    f.choose(0);
    f.type(QStringLiteral("Seen: "));

    // Cancel keeps the edited report on view, and the selector names it.
    f.spine.prompter.answer(PromptAnswer::Cancel);
    f.choose(1);
    QCOMPARE(f.last().text, QStringLiteral("Save changes/entries before next action?"));
    QCOMPARE(f.incidents->selector()->currentText(), QStringLiteral("A"));
    QVERIFY(f.area->workPanel().editor()->text().startsWith(QStringLiteral("Seen: ")));

    // Yes stores the edits in A before B is opened.
    f.spine.prompter.answer({PromptAnswer::Yes, PromptAnswer::Ok});
    f.choose(1);
    QCOMPARE(savedText(f.data(QStringLiteral("A.Flc"))), QStringLiteral("Seen: The laptop was found."));
    QCOMPARE(bytesOf(f.data(QStringLiteral("B.Flc"))), OldReport);
    QCOMPARE(f.area->workPanel().editor()->text(), QStringLiteral("The laptop was found."));
}

void TestIncidentArea::deletingTheLastReportRemovesTheIndex()
{
    Fixture f({QStringLiteral("A"), QStringLiteral("B")});
    f.run(SelectExisting);
    f.choose(0);
    // No keeps everything.
    f.run(Delete, {PromptAnswer::No});
    QCOMPARE(f.last(),
             (Prompt{QStringLiteral("Delete File!"),
                     QStringLiteral("Are you sure you want to delete file [ A ]?"),
                     PromptIcon::Critical,
                     PromptButtons::YesNo,
                     PromptAnswer::No}));
    QVERIFY(QFile::exists(f.data(QStringLiteral("A.Flc"))));

    f.run(SelectExisting);
    f.choose(0);
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(f.spine.folder.dataDir());
    f.run(Delete, {PromptAnswer::Yes});
    QVERIFY(!QFile::exists(f.data(QStringLiteral("A.Flc"))));
    const QStringList changed = {QStringLiteral("A.Flc"), Index};
    QCOMPARE(before.unexpectedChanges(changed), QString());
    QCOMPARE(bytesOf(f.data(Index)), QByteArray("\"B.Flc\"\r\n"));
    QCOMPARE(f.incidents->selector()->count(), 1);
    QVERIFY(!f.incidents->command(Delete)->isVisible());
    QVERIFY(f.area->workPanel().editor()->text().isEmpty());

    f.run(SelectExisting);
    f.choose(0);
    f.run(Delete, {PromptAnswer::Yes});
    QVERIFY(!QFile::exists(f.data(QStringLiteral("B.Flc"))));
    QVERIFY(!QFile::exists(f.data(Index)));
    QVERIFY(!f.incidents->selector()->isEnabled());

    f.run(SelectExisting, {PromptAnswer::Ok});
    QCOMPARE(f.last(),
             (Prompt{QStringLiteral("Select Existing Report"),
                     QStringLiteral("There are currently no Existing/Saved Incident Reports!"),
                     PromptIcon::Information,
                     PromptButtons::Ok,
                     PromptAnswer::Ok}));
}

void TestIncidentArea::missingTitleOrTextIsAskedFor_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("titleFocused");

    const QString fromTemplate = QStringLiteral("Incident Report Title/Name Must Be Entered Prior to Saving!\r"
                                                "Please Enter a File Title/Name and Click Save Again!");
    const QString blank =
        QStringLiteral("Incident Report Title/Name and/or Report Must Both Be Entered Prior to Saving!\r"
                       "Please Enter a File Title/Name and/or Report then Click Save Again!");
    QTest::newRow("template, no title") << int(FromTemplate) << QString() << QString() << fromTemplate << true;
    QTest::newRow("template, blank title")
        << int(FromTemplate) << QStringLiteral("   ") << QString() << fromTemplate << true;
    QTest::newRow("blank, no title") << int(Blank) << QString() << QStringLiteral("text") << blank << true;
    QTest::newRow("blank, no text") << int(Blank) << QStringLiteral("Title") << QString() << blank << false;
    QTest::newRow("blank, only blanks typed")
        << int(Blank) << QStringLiteral("Title") << QStringLiteral("   ") << blank << false;
}

void TestIncidentArea::missingTitleOrTextIsAskedFor()
{
    QFETCH(int, command);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(bool, titleFocused);
    Fixture f;
    f.area->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.area));
    f.run(static_cast<Command>(command), {PromptAnswer::Ok});
    QTest::keyClicks(f.incidents->titleBox(), title);
    f.type(text);
    f.save({PromptAnswer::Ok});
    QCOMPARE(f.last(), (Prompt{NewTitle, message, PromptIcon::Information, PromptButtons::Ok, PromptAnswer::Ok}));
    QCOMPARE(base(f.incidents->titleBox()), QColor(255, 255, 0));
    QWidget* focused = titleFocused ? static_cast<QWidget*>(f.incidents->titleBox()) : f.area->workPanel().editor();
    QCOMPARE(QApplication::focusWidget(), focused);
    QVERIFY(!QFile::exists(f.data(Index)));
    QCOMPARE(f.incidents->mode(), static_cast<IncidentArea::Mode>(command == FromTemplate ? 2 : 4));
}

void TestIncidentArea::hostileTitlesAreRefused_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("complaint");
    QTest::newRow("parent folder") << QStringLiteral("../x") << QStringLiteral("separator");
    QTest::newRow("sub folder") << QStringLiteral("a/b") << QStringLiteral("separator");
    QTest::newRow("device") << QStringLiteral("CON") << QStringLiteral("device");
    QTest::newRow("colon") << QStringLiteral("x:y") << QStringLiteral(":");
    QTest::newRow("index file") << QStringLiteral("IncidHold") << QStringLiteral("list of reports");
}

void TestIncidentArea::hostileTitlesAreRefused()
{
    QFETCH(QString, title);
    QFETCH(QString, complaint);
    Fixture f({QStringLiteral("Old")});
    const QString root = QDir(f.spine.folder.dataDir() + QStringLiteral("/..")).absolutePath();
    const QStringList before = filesUnder(root);
    f.run(Blank, {PromptAnswer::Ok});
    QTest::keyClicks(f.incidents->titleBox(), title);
    f.type(QStringLiteral("Hostile."));
    f.save({PromptAnswer::Ok});
    QVERIFY2(f.last().text.contains(complaint), qPrintable(f.last().text));
    QVERIFY(!f.last().text.contains(QStringLiteral("Has Been")));
    QCOMPARE(filesUnder(root), before);
    QCOMPARE(bytesOf(f.data(Index)), QByteArray("\"Old.Flc\"\r\n"));
    // The report is still there to be saved under another title.
    QCOMPARE(f.area->state().unsavedChanges, 1);
    QCOMPARE(f.incidents->mode(), IncidentArea::Blank);
}

void TestIncidentArea::titleBoxTakes35Characters()
{
    Fixture f({QStringLiteral("Old")});
    f.run(Blank, {PromptAnswer::Ok});
    const QString forty = QStringLiteral("Unauthorised access to the billing sys!");
    QCOMPARE(forty.size() + 1, 40);
    QTest::keyClicks(f.incidents->titleBox(), forty + u'x');
    QCOMPARE(f.incidents->titleBox()->text(), forty.left(35));

    // The selector is cut the same way.
    f.run(SelectExisting);
    QLineEdit* typed = f.incidents->selector()->lineEdit();
    typed->selectAll();
    QTest::keyClicks(typed, forty + u'x');
    QCOMPARE(f.incidents->selector()->currentText(), forty.left(35));
    f.save({PromptAnswer::Ok});
    QVERIFY(QFile::exists(f.data(forty.left(35).trimmed() + QStringLiteral(".Flc"))));
}

void TestIncidentArea::failedWriteKeepsTheOldReport()
{
    Fixture f({QStringLiteral("Breach Jan 3")});
    f.run(SelectExisting);
    f.choose(0);
    f.type(QStringLiteral("Lost. "));
    WriteFaults::inject(QStringLiteral("Breach*.Flc"), 1, 5);
    f.save({PromptAnswer::Ok});
    QCOMPARE(f.last().icon, PromptIcon::Critical);
    QVERIFY2(f.last().text.contains(QStringLiteral("could not be saved")), qPrintable(f.last().text));
    QVERIFY(!f.last().text.contains(QStringLiteral("Has Been")));
    QCOMPARE(bytesOf(f.data(QStringLiteral("Breach Jan 3.Flc"))), OldReport);
    QCOMPARE(f.area->state().unsavedChanges, 1);
    QCOMPARE(f.incidents->mode(), IncidentArea::Opened);

    // Once the disk recovers the same Save goes through.
    f.save({PromptAnswer::Ok});
    QCOMPARE(f.last().text, QStringLiteral("This File [ Breach Jan 3 ] Has Been Updated/Saved!"));
    QCOMPARE(savedText(f.data(QStringLiteral("Breach Jan 3.Flc"))), QStringLiteral("Lost. The laptop was found."));
}

void TestIncidentArea::selectExistingWithUnsavedChanges_data()
{
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<bool>("kept");
    QTest::newRow("Yes leaves everything") << PromptAnswer::Yes << true;
    QTest::newRow("Cancel leaves everything") << PromptAnswer::Cancel << true;
    QTest::newRow("No drops the edits") << PromptAnswer::No << false;
}

void TestIncidentArea::selectExistingWithUnsavedChanges()
{
    QFETCH(PromptAnswer, answer);
    QFETCH(bool, kept);
    Fixture f({QStringLiteral("A")});
    f.run(SelectExisting);
    f.choose(0);
    f.type(QStringLiteral("Edit. "));
    f.run(SelectExisting, {answer});
    QCOMPARE(f.last(),
             (Prompt{NewTitle,
                     QStringLiteral("Save Current Incident Report before next Action?"),
                     PromptIcon::Question,
                     PromptButtons::YesNoCancel,
                     {}}));
    QCOMPARE(f.area->workPanel().editor()->text().startsWith(QStringLiteral("Edit. ")), kept);
    QCOMPARE(f.area->state().unsavedChanges, kept ? 1 : 0);
    QCOMPARE(f.incidents->mode(), kept ? IncidentArea::Opened : IncidentArea::Choosing);
    QCOMPARE(bytesOf(f.data(QStringLiteral("A.Flc"))), OldReport);
}

void TestIncidentArea::hostileIndexLineIsShownButNotDeleted_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("the plan") << QStringLiteral("DRPln1.Fil");
    QTest::newRow("a worksheet") << QStringLiteral("Wksht0.Fil");
    QTest::newRow("the status store") << QStringLiteral("Stat1.Fil");
    QTest::newRow("beside the data folder") << QStringLiteral("../Outside.Flc");
    QTest::newRow("no extension") << QStringLiteral("Breach");
}

// A damaged or hand-edited index may name any file: its line is listed, but Delete deletes nothing
// and says why, without asking the delete question.
void TestIncidentArea::hostileIndexLineIsShownButNotDeleted()
{
    QFETCH(QString, line);
    Fixture f({QStringLiteral("Good")}, "\"" + line.toLatin1() + "\"\r\n");
    f.spine.folder.putData(QStringLiteral("DRPln1.Fil"), "{\\rtf1 plan}");
    f.spine.folder.putData(QStringLiteral("Wksht0.Fil"), "{\\rtf1 worksheet}");
    f.spine.folder.putData(QStringLiteral("Stat1.Fil"), QByteArray(40, '\0'));
    f.spine.folder.putData(QStringLiteral("Breach"), "user file");
    QFile outside(QFileInfo(f.spine.folder.dataDir()).path() + QStringLiteral("/Outside.Flc"));
    QVERIFY(outside.open(QIODevice::WriteOnly));
    outside.write("outside");
    outside.close();
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(f.spine.folder.dataDir());

    f.run(SelectExisting);
    QCOMPARE(f.incidents->selector()->count(), 2);
    QCOMPARE(f.incidents->selector()->itemText(1), line.left(line.size() - 4));
    f.choose(1);
    f.spine.prompter.takePrompts();
    f.run(Delete, {PromptAnswer::Ok});
    const QList<Prompt> shown = f.spine.prompter.takePrompts();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).title, QStringLiteral("Delete File!"));
    QCOMPARE(shown.at(0).icon, PromptIcon::Warning);
    QVERIFY2(shown.at(0).text.contains(QStringLiteral("[ ") + line + QStringLiteral(" ]")),
             qPrintable(shown.at(0).text));
    QCOMPARE(before.unexpectedChanges(), QString());
    QCOMPARE(f.incidents->selector()->count(), 2);
}

void TestIncidentArea::newReportOverAnUnlistedFileAsksFirst()
{
    Fixture f({QStringLiteral("Listed")});
    // A report whose index line was lost, say by a restore of an older index.
    f.spine.folder.putData(QStringLiteral("Lost laptop.Flc"), OldReport);
    f.run(Blank, {PromptAnswer::Ok});
    QTest::keyClicks(f.incidents->titleBox(), QStringLiteral("lost laptop"));
    f.type(QStringLiteral("New account."));
    const FolderSnapshot before = FolderSnapshot::aroundDataFolder(f.spine.folder.dataDir());

    f.save({PromptAnswer::No});
    QCOMPARE(f.last().title, QStringLiteral("Save Changes to Existing File?"));
    QCOMPARE(f.last().text, QStringLiteral("File by Name [ lost laptop ] already Exists!\rDo you want to Replace it?"));
    QCOMPARE(f.last().effectiveDefault(), PromptAnswer::No);
    QCOMPARE(before.unexpectedChanges(), QString());

    f.save({PromptAnswer::Yes, PromptAnswer::Ok});
    QCOMPARE(savedText(f.data(QStringLiteral("Lost laptop.Flc"))), QStringLiteral("New account."));
    QCOMPARE(bytesOf(f.data(Index)), QByteArray("\"Listed.Flc\"\r\n\"lost laptop.Flc\"\r\n"));
    const QStringList changed = {QStringLiteral("Lost laptop.Flc"), Index};
    QCOMPARE(before.unexpectedChanges(changed), QString());
}

void TestIncidentArea::rowKeepsItsPlaceAndCaptions_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::newRow("1024x768") << QSize(1024, 768);
    QTest::newRow("1920x1080") << QSize(1920, 1080);
}

void TestIncidentArea::rowKeepsItsPlaceAndCaptions()
{
    QFETCH(QSize, screen);
    Fixture f({QStringLiteral("Breach Jan 3"), QStringLiteral("Lost laptop")});
    f.area->showNormal();
    showAtSize(f.area, screen);
    QTest::qWait(50);
    f.run(SelectExisting);
    QTest::qWait(50);
    grabToPng(f.area, QStringLiteral("incidents-choosing-%1x%2").arg(screen.width()).arg(screen.height()));
    QList<QRect> before;
    for (int n = 0; n < 3; ++n) {
        before.append(f.incidents->command(n)->geometry());
    }
    const QRect selectorBefore = f.incidents->selector()->geometry();
    f.choose(0);
    QTest::qWait(50);
    grabToPng(f.area, QStringLiteral("incidents-opened-%1x%2").arg(screen.width()).arg(screen.height()));
    QVERIFY(f.incidents->command(Delete)->isVisible());
    for (int n = 0; n < 4; ++n) {
        QPushButton* button = f.incidents->command(n);
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
        if (n < 3) {
            QCOMPARE(button->geometry(), before.at(n));
        }
    }
    QCOMPARE(f.incidents->selector()->geometry(), selectorBefore);
}

QTEST_MAIN(TestIncidentArea)
#include "test_incidentarea.moc"

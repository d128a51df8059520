#include "gui/kit/prompter.h"
#include "scriptedprompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using qv::Prompt;
using qv::PromptAnswer;
using qv::PromptButtons;
using qv::PromptIcon;
using qv::test::ScriptedPrompter;

Q_DECLARE_METATYPE(qv::PromptAnswer)
Q_DECLARE_METATYPE(qv::PromptButtons)
Q_DECLARE_METATYPE(qv::PromptIcon)

namespace {

    // Runs act on the next modal window once it is up, while the code under test waits in exec().
    void whenModal(std::function<void(QWidget*)> act, int triesLeft = 200)
    {
        QTimer::singleShot(10, qApp, [act = std::move(act), triesLeft]() mutable {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                act(modal);
            } else if (triesLeft > 0) {
                whenModal(std::move(act), triesLeft - 1);
            }
        });
    }

    enum class Convenience
    {
        Inform,
        Warn,
        Critical,
        AskYesNo,
        AskYesNoDefaultYes,
        AskYesNoCancel,
        AskOkCancel,
        AskRetryCancel
    };

} // namespace

Q_DECLARE_METATYPE(Convenience)

class TestPrompter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineBreaks_data();
    void lineBreaks();
    void conveniences_data();
    void conveniences();
    void scriptedAnswersInOrder();
    void scriptedFailsOnUnexpectedBox();
    void scriptedFailsOnAnswerTheBoxLacks();
    void scriptedFailsOnLeftoverAnswers();
    void unexpectedBoxFailsTheRunningTest();
    void qtPrompterShowsTheBox_data();
    void qtPrompterShowsTheBox();
    void qtPrompterEscapeIsCautious();
};

void TestPrompter::lineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("none") << QStringLiteral("Exit Quorvane?") << QStringLiteral("Exit Quorvane?");
    QTest::newRow("CR") << QStringLiteral("a\rb") << QStringLiteral("a\nb");
    QTest::newRow("CR LF") << QStringLiteral("a\r\nb") << QStringLiteral("a\nb");
    QTest::newRow("CR CR") << QStringLiteral("a\r\rb") << QStringLiteral("a\n\nb");
    QTest::newRow("CR LF CR LF") << QStringLiteral("a\r\n\r\nb") << QStringLiteral("a\n\nb");
    QTest::newRow("LF kept") << QStringLiteral("a\nb") << QStringLiteral("a\nb");
    QTest::newRow("trailing CR") << QStringLiteral("a\r") << QStringLiteral("a\n");
    QTest::newRow("LF CR") << QStringLiteral("a\n\rb") << QStringLiteral("a\n\nb");
}

void TestPrompter::lineBreaks()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(qv::normaliseLineBreaks(text), expected);
}

void TestPrompter::conveniences_data()
{
    QTest::addColumn<Convenience>("call");
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<PromptIcon>("icon");
    QTest::addColumn<PromptButtons>("buttons");
    QTest::addColumn<PromptAnswer>("defaultButton");
    QTest::addColumn<int>("result"); // the bool or answer the call returned, as int; -1 for none

    using A = PromptAnswer;
    QTest::newRow("inform") << Convenience::Inform << A::Ok << PromptIcon::Information << PromptButtons::Ok << A::Ok
                            << -1;
    QTest::newRow("warn") << Convenience::Warn << A::Ok << PromptIcon::Warning << PromptButtons::Ok << A::Ok << -1;
    QTest::newRow("critical") << Convenience::Critical << A::Ok << PromptIcon::Critical << PromptButtons::Ok << A::Ok
                              << -1;
    QTest::newRow("yes/no answered yes") << Convenience::AskYesNo << A::Yes << PromptIcon::Question
                                         << PromptButtons::YesNo << A::No << 1;
    QTest::newRow("yes/no answered no") << Convenience::AskYesNo << A::No << PromptIcon::Question
                                        << PromptButtons::YesNo << A::No << 0;
    QTest::newRow("yes/no preselecting yes")
        << Convenience::AskYesNoDefaultYes << A::No << PromptIcon::Question << PromptButtons::YesNo << A::Yes << 0;
    QTest::newRow("yes/no/cancel") << Convenience::AskYesNoCancel << A::Cancel << PromptIcon::Question
                                   << PromptButtons::YesNoCancel << A::No << int(A::Cancel);
    QTest::newRow("OK/cancel answered OK")
        << Convenience::AskOkCancel << A::Ok << PromptIcon::Question << PromptButtons::OkCancel << A::Ok << 1;
    QTest::newRow("OK/cancel answered Cancel")
        << Convenience::AskOkCancel << A::Cancel << PromptIcon::Question << PromptButtons::OkCancel << A::Ok << 0;
    QTest::newRow("retry/cancel") << Convenience::AskRetryCancel << A::Retry << PromptIcon::Warning
                                  << PromptButtons::RetryCancel << A::Retry << 1;
}

void TestPrompter::conveniences()
{
    QFETCH(Convenience, call);
    QFETCH(PromptAnswer, answer);
    QFETCH(PromptIcon, icon);
    QFETCH(PromptButtons, buttons);
    QFETCH(PromptAnswer, defaultButton);
    QFETCH(int, result);

    ScriptedPrompter prompter{answer};
    const QString title = QStringLiteral("Title");
    const QString text = QStringLiteral("Line one\rLine two");
    int got = -1;
    switch (call) {
    case Convenience::Inform:
        prompter.inform(title, text);
        break;
    case Convenience::Warn:
        prompter.warn(title, text);
        break;
    case Convenience::Critical:
        prompter.critical(title, text);
        break;
    case Convenience::AskYesNo:
        got = prompter.askYesNo(title, text);
        break;
    case Convenience::AskYesNoDefaultYes:
        got = prompter.askYesNo(title, text, PromptAnswer::Yes);
        break;
    case Convenience::AskYesNoCancel:
        got = int(prompter.askYesNoCancel(title, text));
        break;
    case Convenience::AskOkCancel:
        got = prompter.askOkCancel(title, text);
        break;
    case Convenience::AskRetryCancel:
        got = prompter.askRetryCancel(title, text);
        break;
    }
    QCOMPARE(got, result);
    QCOMPARE(prompter.prompts().size(), 1);
    const Prompt& shown = prompter.prompts().constFirst();
    QCOMPARE(shown.title, title);
    QCOMPARE(shown.text, text);
    QCOMPARE(shown.icon, icon);
    QCOMPARE(shown.buttons, buttons);
    QCOMPARE(shown.effectiveDefault(), defaultButton);
}

void TestPrompter::scriptedAnswersInOrder()
{
    ScriptedPrompter prompter;
    prompter.answer(PromptAnswer::No).answer({PromptAnswer::Retry, PromptAnswer::Ok});
    QCOMPARE(prompter.pendingAnswers(), 3);
    QVERIFY(!prompter.askYesNo(QStringLiteral("Save Changes?"),
                               QStringLiteral("Save changes/entries before next action?")));
    QVERIFY(prompter.askRetryCancel(QStringLiteral("Disk"), QStringLiteral("Try again?")));
    prompter.inform(QStringLiteral("Print"), QStringLiteral("There are currently No Entries to Print!"));
    QCOMPARE(prompter.pendingAnswers(), 0);
    QCOMPARE(prompter.texts(),
             QStringList({QStringLiteral("Save changes/entries before next action?"),
                          QStringLiteral("Try again?"),
                          QStringLiteral("There are currently No Entries to Print!")}));
    const QList<Prompt> taken = prompter.takePrompts();
    QCOMPARE(taken.size(), 3);
    QCOMPARE(taken.at(0),
             (Prompt{QStringLiteral("Save Changes?"),
                     QStringLiteral("Save changes/entries before next action?"),
                     PromptIcon::Question,
                     PromptButtons::YesNo,
                     PromptAnswer::No}));
    QVERIFY(prompter.prompts().isEmpty());
    QVERIFY(prompter.failures().isEmpty());
}

void TestPrompter::scriptedFailsOnUnexpectedBox()
{
    ScriptedPrompter prompter;
    QEXPECT_FAIL("", "an unexpected box must fail the running test", Continue);
    const PromptAnswer a = prompter.askYesNoCancel(QStringLiteral("Exit"), QStringLiteral("Exit Quorvane?"));
    QCOMPARE(a, PromptAnswer::Cancel);
    QCOMPARE(prompter.prompts().size(), 1);
    QCOMPARE(prompter.failures().size(), 1);
    QVERIFY(prompter.failures().constFirst().contains(QStringLiteral("Exit Quorvane?")));
}

void TestPrompter::scriptedFailsOnAnswerTheBoxLacks()
{
    ScriptedPrompter prompter{PromptAnswer::Yes, PromptAnswer::Ok};
    QEXPECT_FAIL("", "an answer the box does not offer must fail the running test", Continue);
    QVERIFY(!prompter.askOkCancel(QStringLiteral("Disk Error"), QStringLiteral("Unable to access Disk")));
    QCOMPARE(prompter.failures().size(), 1);
    QVERIFY(prompter.failures().constFirst().contains(QStringLiteral("Yes")));
    // The bad answer is used up; the next box gets the next one.
    prompter.inform(QStringLiteral("Done"), QStringLiteral("Done"));
    QCOMPARE(prompter.pendingAnswers(), 0);
    QCOMPARE(prompter.failures().size(), 1);
}

void TestPrompter::scriptedFailsOnLeftoverAnswers()
{
    QEXPECT_FAIL("", "answers nobody asked for must fail the running test", Continue);
    {
        ScriptedPrompter prompter{PromptAnswer::Yes};
    }
    QVERIFY(QTest::currentTestFailed() == false);
}

// The real proof: a test program whose test gets a box nobody expected must report that very test as
// failed, go on with the next tests, and exit with a failure.
void TestPrompter::unexpectedBoxFailsTheRunningTest()
{
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral(KIT_UNEXPECTED_BOX_PROGRAM), QStringList());
    QVERIFY(child.waitForFinished(60000));
    const QString output = QString::fromUtf8(child.readAll());
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() != 0, qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("FAIL!  : UnexpectedBox::boxNobodyExpected()")), qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("Unexpected message box: [Exit] \"Exit Quorvane?\"")), qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("Unexpected message box: [Save Changes?]")), qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("PASS   : UnexpectedBox::boxExpected()")), qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("PASS   : UnexpectedBox::laterTestRuns()")), qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("Totals: 4 passed, 1 failed")), qPrintable(output));
}

void TestPrompter::qtPrompterShowsTheBox_data()
{
    QTest::addColumn<PromptButtons>("buttons");
    QTest::addColumn<std::optional<PromptAnswer>>("defaultButton");
    QTest::addColumn<PromptIcon>("icon");
    QTest::addColumn<PromptAnswer>("click");

    using A = PromptAnswer;
    QTest::newRow("OK") << PromptButtons::Ok << std::optional<A>() << PromptIcon::Information << A::Ok;
    QTest::newRow("OK/Cancel") << PromptButtons::OkCancel << std::optional<A>(A::Ok) << PromptIcon::None << A::Cancel;
    QTest::newRow("Yes/No") << PromptButtons::YesNo << std::optional<A>(A::No) << PromptIcon::Question << A::Yes;
    QTest::newRow("Yes/No/Cancel") << PromptButtons::YesNoCancel << std::optional<A>(A::No) << PromptIcon::Question
                                   << A::No;
    QTest::newRow("Retry/Cancel") << PromptButtons::RetryCancel << std::optional<A>() << PromptIcon::Warning
                                  << A::Retry;
    QTest::newRow("Abort/Retry/Ignore") << PromptButtons::AbortRetryIgnore << std::optional<A>(A::Retry)
                                        << PromptIcon::Critical << A::Ignore;
}

void TestPrompter::qtPrompterShowsTheBox()
{
    QFETCH(PromptButtons, buttons);
    QFETCH(std::optional<PromptAnswer>, defaultButton);
    QFETCH(PromptIcon, icon);
    QFETCH(PromptAnswer, click);

    static const QHash<PromptAnswer, QMessageBox::StandardButton> standard = {
        {PromptAnswer::Ok, QMessageBox::Ok},
        {PromptAnswer::Cancel, QMessageBox::Cancel},
        {PromptAnswer::Yes, QMessageBox::Yes},
        {PromptAnswer::No, QMessageBox::No},
        {PromptAnswer::Retry, QMessageBox::Retry},
        {PromptAnswer::Abort, QMessageBox::Abort},
        {PromptAnswer::Ignore, QMessageBox::Ignore},
    };
    static const QHash<PromptIcon, QMessageBox::Icon> icons = {
        {PromptIcon::None, QMessageBox::NoIcon},
        {PromptIcon::Information, QMessageBox::Information},
        {PromptIcon::Question, QMessageBox::Question},
        {PromptIcon::Warning, QMessageBox::Warning},
        {PromptIcon::Critical, QMessageBox::Critical},
    };

    const Prompt prompt{QStringLiteral("Backup Disk"),
                        QStringLiteral("Disk is Full.\rPlease <b>Insert</b>\r\nDisk #2"),
                        icon,
                        buttons,
                        defaultButton};
    QString seenTitle;
    QString seenText;
    Qt::TextFormat seenFormat = Qt::AutoText;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> seenButtons;
    QMessageBox::StandardButton seenDefault = QMessageBox::NoButton;
    whenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            modal->close();
            return;
        }
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenFormat = box->textFormat();
        seenIcon = box->icon();
        for (QAbstractButton* b : box->buttons()) {
            seenButtons.append(box->standardButton(b));
        }
        seenDefault = box->standardButton(box->defaultButton());
        box->button(standard.value(click))->click();
    });
    qv::QtPrompter prompter;
    QCOMPARE(prompter.ask(prompt), click);
    QCOMPARE(seenTitle, prompt.title);
    QCOMPARE(seenText, QStringLiteral("Disk is Full.\nPlease <b>Insert</b>\nDisk #2"));
    QCOMPARE(seenFormat, Qt::PlainText);
    QCOMPARE(seenIcon, icons.value(icon));
    QList<QMessageBox::StandardButton> expectedButtons;
    for (PromptAnswer a : qv::answersOf(buttons)) {
        expectedButtons.append(standard.value(a));
    }
    std::sort(seenButtons.begin(), seenButtons.end());
    std::sort(expectedButtons.begin(), expectedButtons.end());
    QCOMPARE(seenButtons, expectedButtons);
    QCOMPARE(seenDefault, standard.value(prompt.effectiveDefault()));
}

void TestPrompter::qtPrompterEscapeIsCautious()
{
    for (PromptButtons buttons : {PromptButtons::YesNo, PromptButtons::YesNoCancel, PromptButtons::AbortRetryIgnore}) {
        whenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        qv::QtPrompter prompter;
        const PromptAnswer answer = prompter.ask({QStringLiteral("Exit"),
                                                  QStringLiteral("Exit Quorvane?"),
                                                  PromptIcon::Question,
                                                  buttons,
                                                  qv::answersOf(buttons).constFirst()});
        QCOMPARE(answer, qv::cautiousAnswer(buttons));
    }
}

int runPrompterTests(int argc, char** argv)
{
    TestPrompter t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_prompter.moc"

// A test program that must fail: test_kit runs it to see that a message box nobody expected fails
// the test it happens in. It is not registered with CTest.
#include "scriptedprompter.h"

#include <QTest>

class UnexpectedBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void boxExpected()
    {
        qv::test::ScriptedPrompter prompter{qv::PromptAnswer::Yes};
        QVERIFY(prompter.askYesNo(QStringLiteral("Exit"), QStringLiteral("Exit Quorvane?")));
    }

    void boxNobodyExpected()
    {
        qv::test::ScriptedPrompter prompter;
        const auto answer = prompter.askYesNoCancel(QStringLiteral("Exit"), QStringLiteral("Exit Quorvane?"));
        QCOMPARE(answer, qv::PromptAnswer::Cancel);
        // A second one in the same test is reported too, and the test still counts once.
        QVERIFY(!prompter.askYesNo(QStringLiteral("Save Changes?"),
                                   QStringLiteral("Save changes/entries before next action?")));
    }

    void laterTestRuns()
    {
        QVERIFY(true);
    }
};

QTEST_GUILESS_MAIN(UnexpectedBox)

#include "unexpected_box.moc"

#include "scriptedprompter.h"

#include "testfailure.h"

#include <QTest>

namespace qv {

    char* toString(PromptAnswer answer)
    {
        return qstrdup(describe(answer).toUtf8().constData());
    }

    char* toString(PromptIcon icon)
    {
        return qstrdup(describe(icon).toUtf8().constData());
    }

    char* toString(PromptButtons buttons)
    {
        return qstrdup(describe(buttons).toUtf8().constData());
    }

    char* toString(const Prompt& prompt)
    {
        return qstrdup(describe(prompt).toUtf8().constData());
    }

} // namespace qv

namespace qv::test {

    ScriptedPrompter::ScriptedPrompter(std::initializer_list<PromptAnswer> answers)
    {
        answer(answers);
    }

    ScriptedPrompter::~ScriptedPrompter()
    {
        if (m_answers.isEmpty()) {
            return;
        }
        QStringList left;
        for (PromptAnswer a : std::as_const(m_answers)) {
            left.append(describe(a));
        }
        const QString message =
            QStringLiteral("Answers queued for message boxes that never came: %1").arg(left.join(u", "));
        failOnLeftovers(message, __FILE__, __LINE__);
    }

    ScriptedPrompter& ScriptedPrompter::answer(PromptAnswer answer)
    {
        m_answers.enqueue(answer);
        return *this;
    }

    ScriptedPrompter& ScriptedPrompter::answer(std::initializer_list<PromptAnswer> answers)
    {
        for (PromptAnswer a : answers) {
            m_answers.enqueue(a);
        }
        return *this;
    }

    PromptAnswer ScriptedPrompter::ask(const Prompt& prompt)
    {
        m_prompts.append(prompt);
        QString failure;
        if (m_answers.isEmpty()) {
            failure = QStringLiteral("Unexpected message box: %1").arg(describe(prompt));
        } else if (!offers(prompt.buttons, m_answers.head())) {
            failure = QStringLiteral("The answer %1 was queued, but this box offers %2: %3")
                          .arg(describe(m_answers.head()), describe(prompt.buttons), describe(prompt));
            m_answers.dequeue();
        } else {
            return m_answers.dequeue();
        }
        m_failures.append(failure);
        failNow(failure, __FILE__, __LINE__);
        return cautiousAnswer(prompt.buttons);
    }

    const QList<Prompt>& ScriptedPrompter::prompts() const
    {
        return m_prompts;
    }

    QStringList ScriptedPrompter::texts() const
    {
        QStringList texts;
        for (const Prompt& p : m_prompts) {
            texts.append(p.text);
        }
        return texts;
    }

    QList<Prompt> ScriptedPrompter::takePrompts()
    {
        return std::exchange(m_prompts, {});
    }

    int ScriptedPrompter::pendingAnswers() const
    {
        return static_cast<int>(m_answers.size());
    }

    const QStringList& ScriptedPrompter::failures() const
    {
        return m_failures;
    }

} // namespace qv::test

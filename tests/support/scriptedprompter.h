#pragma once

#include "gui/kit/prompter.h"

#include <QList>
#include <QQueue>
#include <QStringList>

namespace qv {
    // Readable values in QCOMPARE failures.
    char* toString(PromptAnswer answer);
    char* toString(PromptIcon icon);
    char* toString(PromptButtons buttons);
    char* toString(const Prompt& prompt);
} // namespace qv

namespace qv::test {

    // A prompter for tests: records every box it is asked to show and answers from a queue the test
    // fills beforehand.
    //
    // A box with no answer queued, or whose buttons do not include the queued answer, fails the
    // running test at once (see failNow) and is answered with the set's cautious answer (Cancel, No,
    // Abort or OK), so the command under test stops without harm. Such a box is still recorded.
    //
    // Answers still queued when the prompter is destroyed inside a test function fail that test too:
    // a box the test expected never came.
    class ScriptedPrompter : public Prompter
    {
    public:
        ScriptedPrompter() = default;
        explicit ScriptedPrompter(std::initializer_list<PromptAnswer> answers);
        ~ScriptedPrompter() override;
        ScriptedPrompter(const ScriptedPrompter&) = delete;
        ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;

        // Queues the answers to the next boxes, in order.
        ScriptedPrompter& answer(PromptAnswer answer);
        ScriptedPrompter& answer(std::initializer_list<PromptAnswer> answers);

        PromptAnswer ask(const Prompt& prompt) override;

        // Every box shown so far, in order.
        const QList<Prompt>& prompts() const;
        // The texts of every box shown so far.
        QStringList texts() const;
        // The boxes shown so far; forgets them.
        QList<Prompt> takePrompts();
        int pendingAnswers() const;
        // What went wrong with each unexpected box, in order.
        const QStringList& failures() const;

    private:
        QQueue<PromptAnswer> m_answers;
        QList<Prompt> m_prompts;
        QStringList m_failures;
    };

} // namespace qv::test

#pragma once

#include <QList>
#include <QPointer>
#include <QString>

#include <optional>

class QWidget;

namespace qv {

    enum class PromptIcon
    {
        None,
        Information,
        Question,
        Warning,
        Critical
    };

    enum class PromptButtons
    {
        Ok,
        OkCancel,
        YesNo,
        YesNoCancel,
        RetryCancel,
        AbortRetryIgnore
    };

    enum class PromptAnswer
    {
        Ok,
        Cancel,
        Yes,
        No,
        Retry,
        Abort,
        Ignore
    };

    // One message box or question as the program asks it. Texts are the program's own, with CR
    // (character 13) or CR LF where a line breaks.
    struct Prompt
    {
        QString title;
        QString text;
        PromptIcon icon = PromptIcon::None;
        PromptButtons buttons = PromptButtons::Ok;
        // The button preselected; none, or one not in the set, means the first button of the set.
        std::optional<PromptAnswer> defaultButton;

        PromptAnswer effectiveDefault() const;
        friend bool operator==(const Prompt&, const Prompt&) = default;
    };

    // The buttons of a set, in the order they are shown.
    QList<PromptAnswer> answersOf(PromptButtons buttons);
    bool offers(PromptButtons buttons, PromptAnswer answer);
    // The answer that loses nothing and goes no further: Cancel, No, Abort or Ok, whichever the set has.
    PromptAnswer cautiousAnswer(PromptButtons buttons);
    // Turns every CR LF and lone CR into a line feed: the one break a message box shows as a line, and
    // the one break the editor's plain-text setters take as a paragraph (QTextCursor::insertText
    // would make two paragraphs of CR LF).
    QString normaliseLineBreaks(const QString& text);

    // Readable forms, for logs and for the messages of a test that did not get the box it expected.
    QString describe(PromptIcon icon);
    QString describe(PromptButtons buttons);
    QString describe(PromptAnswer answer);
    QString describe(const Prompt& prompt);

    // Every message box and question of the program goes through one of these, so that tests can
    // answer them and compare what was asked.
    class Prompter
    {
    public:
        virtual ~Prompter();

        virtual PromptAnswer ask(const Prompt& prompt) = 0;

        void inform(const QString& title, const QString& text);
        void warn(const QString& title, const QString& text);
        void critical(const QString& title, const QString& text);
        // Yes/No with the question icon; No is preselected because these questions can lose data.
        bool askYesNo(const QString& title, const QString& text, PromptAnswer defaultButton = PromptAnswer::No);
        PromptAnswer
        askYesNoCancel(const QString& title, const QString& text, PromptAnswer defaultButton = PromptAnswer::No);
        // OK/Cancel; true for OK.
        bool askOkCancel(const QString& title, const QString& text, PromptIcon icon = PromptIcon::Question);
        // Retry/Cancel with the warning icon; true for Retry.
        bool askRetryCancel(const QString& title, const QString& text);
    };

    // Shows each prompt as a modal QMessageBox over parent (or the active window when there is none).
    class QtPrompter : public Prompter
    {
    public:
        explicit QtPrompter(QWidget* parent = nullptr);

        PromptAnswer ask(const Prompt& prompt) override;

        void setParent(QWidget* parent);

    private:
        QPointer<QWidget> m_parent;
    };

} // namespace qv

#include "prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace qv {

    PromptAnswer Prompt::effectiveDefault() const
    {
        if (defaultButton && offers(buttons, *defaultButton)) {
            return *defaultButton;
        }
        return answersOf(buttons).constFirst();
    }

    QList<PromptAnswer> answersOf(PromptButtons buttons)
    {
        switch (buttons) {
        case PromptButtons::Ok:
            return {PromptAnswer::Ok};
        case PromptButtons::OkCancel:
            return {PromptAnswer::Ok, PromptAnswer::Cancel};
        case PromptButtons::YesNo:
            return {PromptAnswer::Yes, PromptAnswer::No};
        case PromptButtons::YesNoCancel:
            return {PromptAnswer::Yes, PromptAnswer::No, PromptAnswer::Cancel};
        case PromptButtons::RetryCancel:
            return {PromptAnswer::Retry, PromptAnswer::Cancel};
        case PromptButtons::AbortRetryIgnore:
            return {PromptAnswer::Abort, PromptAnswer::Retry, PromptAnswer::Ignore};
        }
        return {PromptAnswer::Ok};
    }

    bool offers(PromptButtons buttons, PromptAnswer answer)
    {
        return answersOf(buttons).contains(answer);
    }

    PromptAnswer cautiousAnswer(PromptButtons buttons)
    {
        for (PromptAnswer a : {PromptAnswer::Cancel, PromptAnswer::No, PromptAnswer::Abort}) {
            if (offers(buttons, a)) {
                return a;
            }
        }
        return PromptAnswer::Ok;
    }

    QString normaliseLineBreaks(const QString& text)
    {
        QString out;
        out.reserve(text.size());
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c == u'\r') {
                out += u'\n';
                if (i + 1 < text.size() && text.at(i + 1) == u'\n') {
                    ++i;
                }
            } else {
                out += c;
            }
        }
        return out;
    }

    QString describe(PromptIcon icon)
    {
        switch (icon) {
        case PromptIcon::None:
            return QStringLiteral("none");
        case PromptIcon::Information:
            return QStringLiteral("information");
        case PromptIcon::Question:
            return QStringLiteral("question");
        case PromptIcon::Warning:
            return QStringLiteral("warning");
        case PromptIcon::Critical:
            return QStringLiteral("critical");
        }
        return QString();
    }

    QString describe(PromptAnswer answer)
    {
        switch (answer) {
        case PromptAnswer::Ok:
            return QStringLiteral("OK");
        case PromptAnswer::Cancel:
            return QStringLiteral("Cancel");
        case PromptAnswer::Yes:
            return QStringLiteral("Yes");
        case PromptAnswer::No:
            return QStringLiteral("No");
        case PromptAnswer::Retry:
            return QStringLiteral("Retry");
        case PromptAnswer::Abort:
            return QStringLiteral("Abort");
        case PromptAnswer::Ignore:
            return QStringLiteral("Ignore");
        }
        return QString();
    }

    QString describe(PromptButtons buttons)
    {
        QStringList names;
        for (PromptAnswer a : answersOf(buttons)) {
            names << describe(a);
        }
        return names.join(u'/');
    }

    QString describe(const Prompt& prompt)
    {
        QString text = prompt.text;
        text.replace(u'\r', QStringLiteral("\\r")).replace(u'\n', QStringLiteral("\\n"));
        return QStringLiteral("[%1] \"%2\" (%3 icon, %4, default %5)")
            .arg(prompt.title,
                 text,
                 describe(prompt.icon),
                 describe(prompt.buttons),
                 describe(prompt.effectiveDefault()));
    }

    Prompter::~Prompter() = default;

    void Prompter::inform(const QString& title, const QString& text)
    {
        ask({title, text, PromptIcon::Information, PromptButtons::Ok, PromptAnswer::Ok});
    }

    void Prompter::warn(const QString& title, const QString& text)
    {
        ask({title, text, PromptIcon::Warning, PromptButtons::Ok, PromptAnswer::Ok});
    }

    void Prompter::critical(const QString& title, const QString& text)
    {
        ask({title, text, PromptIcon::Critical, PromptButtons::Ok, PromptAnswer::Ok});
    }

    bool Prompter::askYesNo(const QString& title, const QString& text, PromptAnswer defaultButton)
    {
        return ask({title, text, PromptIcon::Question, PromptButtons::YesNo, defaultButton}) == PromptAnswer::Yes;
    }

    PromptAnswer Prompter::askYesNoCancel(const QString& title, const QString& text, PromptAnswer defaultButton)
    {
        return ask({title, text, PromptIcon::Question, PromptButtons::YesNoCancel, defaultButton});
    }

    bool Prompter::askOkCancel(const QString& title, const QString& text, PromptIcon icon)
    {
        return ask({title, text, icon, PromptButtons::OkCancel, PromptAnswer::Ok}) == PromptAnswer::Ok;
    }

    bool Prompter::askRetryCancel(const QString& title, const QString& text)
    {
        return ask({title, text, PromptIcon::Warning, PromptButtons::RetryCancel, PromptAnswer::Retry}) ==
               PromptAnswer::Retry;
    }

    namespace {

        QMessageBox::Icon messageBoxIcon(PromptIcon icon)
        {
            switch (icon) {
            case PromptIcon::None:
                return QMessageBox::NoIcon;
            case PromptIcon::Information:
                return QMessageBox::Information;
            case PromptIcon::Question:
                return QMessageBox::Question;
            case PromptIcon::Warning:
                return QMessageBox::Warning;
            case PromptIcon::Critical:
                return QMessageBox::Critical;
            }
            return QMessageBox::NoIcon;
        }

        QMessageBox::StandardButton standardButton(PromptAnswer answer)
        {
            switch (answer) {
            case PromptAnswer::Ok:
                return QMessageBox::Ok;
            case PromptAnswer::Cancel:
                return QMessageBox::Cancel;
            case PromptAnswer::Yes:
                return QMessageBox::Yes;
            case PromptAnswer::No:
                return QMessageBox::No;
            case PromptAnswer::Retry:
                return QMessageBox::Retry;
            case PromptAnswer::Abort:
                return QMessageBox::Abort;
            case PromptAnswer::Ignore:
                return QMessageBox::Ignore;
            }
            return QMessageBox::NoButton;
        }

    } // namespace

    QtPrompter::QtPrompter(QWidget* parent)
        : m_parent(parent)
    {
    }

    void QtPrompter::setParent(QWidget* parent)
    {
        m_parent = parent;
    }

    PromptAnswer QtPrompter::ask(const Prompt& prompt)
    {
        QWidget* parent = m_parent ? m_parent.data() : QApplication::activeWindow();
        QMessageBox box(
            messageBoxIcon(prompt.icon), prompt.title, normaliseLineBreaks(prompt.text), QMessageBox::NoButton, parent);
        // The program's texts are plain; one that happens to contain a tag must not turn into markup.
        box.setTextFormat(Qt::PlainText);
        const QList<PromptAnswer> answers = answersOf(prompt.buttons);
        for (PromptAnswer a : answers) {
            box.addButton(standardButton(a));
        }
        box.setDefaultButton(standardButton(prompt.effectiveDefault()));
        // Escape and the close box give the cautious answer, so a dismissed question never goes ahead.
        box.setEscapeButton(box.button(standardButton(cautiousAnswer(prompt.buttons))));
        box.exec();
        const auto clicked = box.standardButton(box.clickedButton());
        for (PromptAnswer a : answers) {
            if (standardButton(a) == clicked) {
                return a;
            }
        }
        return cautiousAnswer(prompt.buttons);
    }

} // namespace qv

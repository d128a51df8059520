// The spell and thesaurus dialogs of the platform Dialogs.
#include "dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

    namespace {

        QPushButton* namedButton(const QString& name, const QString& caption, QWidget* parent)
        {
            auto* button = new QPushButton(caption, parent);
            button->setObjectName(name);
            button->setAutoDefault(false);
            return button;
        }

        // Stays out of the way of the pane behind it, where the word under review is selected.
        void placeBesideParent(QDialog& dialog, QWidget* parent)
        {
            if (!parent) {
                return;
            }
            const QRect area = parent->window()->frameGeometry();
            dialog.adjustSize();
            dialog.move(area.right() - dialog.width() - 24, area.top() + 80);
        }

        class SpellDialog : public QDialog
        {
        public:
            SpellDialog(const SpellQuestion& question, QWidget* parent)
                : QDialog(parent)
                , m_changeTo(new QLineEdit(this))
                , m_suggestions(new QListWidget(this))
            {
                setObjectName(QStringLiteral("SpellDialog"));
                setWindowTitle(QStringLiteral("Spell Check"));
                auto* word = new QLineEdit(question.word, this);
                word->setObjectName(QStringLiteral("NotInDictionary"));
                word->setReadOnly(true);
                m_changeTo->setObjectName(QStringLiteral("ChangeTo"));
                m_suggestions->setObjectName(QStringLiteral("Suggestions"));
                m_suggestions->addItems(question.suggestions);
                m_changeTo->setText(question.suggestions.value(0, question.word));
                if (!question.suggestions.isEmpty()) {
                    m_suggestions->setCurrentRow(0);
                }
                connect(m_suggestions, &QListWidget::currentTextChanged, m_changeTo, &QLineEdit::setText);
                connect(m_suggestions, &QListWidget::itemDoubleClicked, this, [this] {
                    answer(SpellAnswer::Action::Change);
                });

                auto* grid = new QGridLayout(this);
                grid->addWidget(new QLabel(QStringLiteral("Not in Dictionary:"), this), 0, 0);
                grid->addWidget(word, 1, 0);
                auto* changeLabel = new QLabel(QStringLiteral("Change &To:"), this);
                changeLabel->setBuddy(m_changeTo);
                grid->addWidget(changeLabel, 2, 0);
                grid->addWidget(m_changeTo, 3, 0);
                auto* suggestLabel = new QLabel(QStringLiteral("Su&ggestions:"), this);
                suggestLabel->setBuddy(m_suggestions);
                grid->addWidget(suggestLabel, 4, 0);
                grid->addWidget(m_suggestions, 5, 0, 2, 1);

                auto* buttons = new QVBoxLayout;
                const struct
                {
                    const char16_t* name;
                    const char16_t* caption;
                    SpellAnswer::Action action;
                } actions[] = {
                    {u"Ignore", u"&Ignore", SpellAnswer::Action::Ignore},
                    {u"IgnoreAll", u"Ignore &All", SpellAnswer::Action::IgnoreAll},
                    {u"Change", u"&Change", SpellAnswer::Action::Change},
                    {u"ChangeAll", u"Change A&ll", SpellAnswer::Action::ChangeAll},
                    {u"Cancel", u"Cancel", SpellAnswer::Action::Cancel},
                };
                for (const auto& a : actions) {
                    QPushButton* button = namedButton(QString::fromUtf16(a.name), QString::fromUtf16(a.caption), this);
                    const SpellAnswer::Action action = a.action;
                    connect(button, &QPushButton::clicked, this, [this, action] { answer(action); });
                    buttons->addWidget(button);
                }
                QPushButton* help = namedButton(QStringLiteral("Help"), QStringLiteral("&Help"), this);
                help->setEnabled(bool(question.help));
                connect(help, &QPushButton::clicked, this, [help = question.help] { help(); });
                buttons->addSpacing(12);
                buttons->addWidget(help);
                buttons->addStretch();
                grid->addLayout(buttons, 0, 1, 7, 1);
                grid->setColumnStretch(0, 1);
                m_changeTo->setFocus();
                resize(420, 300);
            }

            SpellAnswer result() const
            {
                return m_answer;
            }

        protected:
            void reject() override
            {
                m_answer = {SpellAnswer::Action::Cancel, {}};
                QDialog::reject();
            }

        private:
            void answer(SpellAnswer::Action action)
            {
                m_answer = {action, m_changeTo->text()};
                accept();
            }

            QLineEdit* m_changeTo;
            QListWidget* m_suggestions;
            SpellAnswer m_answer;
        };

        class ThesaurusDialog : public QDialog
        {
        public:
            ThesaurusDialog(const QString& word, const QList<SynonymGroup>& meanings, QWidget* parent)
                : QDialog(parent)
                , m_meanings(new QListWidget(this))
                , m_synonyms(new QListWidget(this))
                , m_replaceWith(new QLineEdit(word, this))
                , m_groups(meanings)
            {
                setObjectName(QStringLiteral("ThesaurusDialog"));
                setWindowTitle(QStringLiteral("Thesaurus"));
                auto* lookedUp = new QLineEdit(word, this);
                lookedUp->setObjectName(QStringLiteral("LookedUp"));
                lookedUp->setReadOnly(true);
                m_meanings->setObjectName(QStringLiteral("Meanings"));
                m_synonyms->setObjectName(QStringLiteral("Synonyms"));
                m_replaceWith->setObjectName(QStringLiteral("ReplaceWith"));
                for (const SynonymGroup& group : meanings) {
                    m_meanings->addItem(group.meaning);
                }
                if (meanings.isEmpty()) {
                    m_meanings->addItem(QStringLiteral("(No meanings found)"));
                    m_meanings->setEnabled(false);
                }
                connect(m_meanings, &QListWidget::currentRowChanged, this, &ThesaurusDialog::showSynonyms);
                connect(m_synonyms, &QListWidget::currentTextChanged, m_replaceWith, [this](const QString& text) {
                    if (!text.isEmpty()) {
                        m_replaceWith->setText(text);
                    }
                });

                auto* buttons = new QDialogButtonBox(this);
                QPushButton* replace = namedButton(QStringLiteral("Replace"), QStringLiteral("&Replace"), this);
                replace->setDefault(true);
                buttons->addButton(replace, QDialogButtonBox::AcceptRole);
                buttons->addButton(namedButton(QStringLiteral("Cancel"), QStringLiteral("Cancel"), this),
                                   QDialogButtonBox::RejectRole);
                connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
                connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
                connect(m_synonyms, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

                auto* grid = new QGridLayout(this);
                grid->addWidget(new QLabel(QStringLiteral("Looked Up:"), this), 0, 0);
                grid->addWidget(lookedUp, 1, 0);
                auto* replaceLabel = new QLabel(QStringLiteral("Replace &With:"), this);
                replaceLabel->setBuddy(m_replaceWith);
                grid->addWidget(replaceLabel, 0, 1);
                grid->addWidget(m_replaceWith, 1, 1);
                auto* meaningLabel = new QLabel(QStringLiteral("&Meanings:"), this);
                meaningLabel->setBuddy(m_meanings);
                grid->addWidget(meaningLabel, 2, 0);
                grid->addWidget(m_meanings, 3, 0);
                auto* synonymLabel = new QLabel(QStringLiteral("&Synonyms:"), this);
                synonymLabel->setBuddy(m_synonyms);
                grid->addWidget(synonymLabel, 2, 1);
                grid->addWidget(m_synonyms, 3, 1);
                grid->addWidget(buttons, 4, 0, 1, 2);
                if (!meanings.isEmpty()) {
                    m_meanings->setCurrentRow(0);
                }
                m_replaceWith->setText(word);
                resize(520, 320);
            }

            QString replacement() const
            {
                return m_replaceWith->text().trimmed();
            }

        private:
            void showSynonyms(int row)
            {
                m_synonyms->clear();
                if (row >= 0 && row < m_groups.size()) {
                    m_synonyms->addItems(m_groups.at(row).synonyms);
                }
            }

            QListWidget* m_meanings;
            QListWidget* m_synonyms;
            QLineEdit* m_replaceWith;
            QList<SynonymGroup> m_groups;
        };

    } // namespace

    SpellAnswer QtDialogs::reviewSpelling(const SpellQuestion& question)
    {
        SpellDialog dialog(question, parentWidget());
        placeBesideParent(dialog, parentWidget());
        if (dialog.exec() != QDialog::Accepted) {
            return {SpellAnswer::Action::Cancel, {}};
        }
        return dialog.result();
    }

    std::optional<QString> QtDialogs::chooseSynonym(const QString& word, const QList<SynonymGroup>& meanings)
    {
        ThesaurusDialog dialog(word, meanings, parentWidget());
        if (dialog.exec() != QDialog::Accepted || dialog.replacement().isEmpty()) {
            return std::nullopt;
        }
        return dialog.replacement();
    }

} // namespace qv

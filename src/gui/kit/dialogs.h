#pragma once

#include <QColor>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QPrinter;
class QWidget;

namespace qv {

    // A font as the common font dialog offers it: face, size and effects, with the text colour.
    struct FontChoice
    {
        QFont font;
        QColor color = Qt::black;

        friend bool operator==(const FontChoice&, const FontChoice&) = default;
    };

    // The paper, margins from the edges of the sheet in twips, and the orientation of the page.
    struct PageSetup
    {
        int marginLeft = 1440;
        int marginTop = 1440;
        int marginRight = 1440;
        int marginBottom = 1440;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        QPageSize paper = QPageSize(QPageSize::Letter);

        friend bool operator==(const PageSetup&, const PageSetup&) = default;
    };

    // The spell dialog's question: a word the dictionary does not know and the words it suggests.
    struct SpellQuestion
    {
        QString word;
        QStringList suggestions;
        // What the dialog's Help button opens.
        std::function<void()> help;
    };

    // The spell dialog's answer; replacement is the "Change To" text for Change and Change All.
    struct SpellAnswer
    {
        enum class Action
        {
            Ignore,
            IgnoreAll,
            Change,
            ChangeAll,
            Cancel
        };
        Action action = Action::Cancel;
        QString replacement;
    };

    // One meaning the thesaurus dialog offers, with the words that share it.
    struct SynonymGroup
    {
        QString meaning;
        QStringList synonyms;

        friend bool operator==(const SynonymGroup&, const SynonymGroup&) = default;
    };

    // Every colour, font, page set-up, folder and file choice goes through one of these, so that
    // tests can answer them. Each returns nullopt when the user cancels.
    class Dialogs
    {
    public:
        virtual ~Dialogs();

        virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
        virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
        virtual std::optional<PageSetup> pageSetup(const PageSetup& initial) = 0;
        virtual std::optional<QString> chooseFolder(const QString& title, const QString& initialFolder) = 0;
        // filter as QFileDialog takes it: "Spreadsheet files (*.xls);;All files (*)".
        virtual std::optional<QString>
        chooseOpenFile(const QString& title, const QString& initialFolder, const QString& filter) = 0;
        virtual std::optional<QString>
        chooseSaveFile(const QString& title, const QString& initialPath, const QString& filter) = 0;
        // The printer to print on, chosen and set up by the user; the pages offered are the printer's
        // fromPage() to toPage(). False when the user cancels.
        virtual bool choosePrinter(QPrinter& printer) = 0;
        // The spell dialog over one unknown word.
        virtual SpellAnswer reviewSpelling(const SpellQuestion& question) = 0;
        // The thesaurus dialog over word and its meanings: the word to put in its place, nullopt on Cancel.
        virtual std::optional<QString> chooseSynonym(const QString& word, const QList<SynonymGroup>& meanings) = 0;
    };

    // The platform's dialogs, modal over parent (or the active window when there is none).
    class QtDialogs : public Dialogs
    {
    public:
        explicit QtDialogs(QWidget* parent = nullptr);
        ~QtDialogs() override;

        std::optional<QColor> chooseColor(const QColor& initial) override;
        std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
        std::optional<PageSetup> pageSetup(const PageSetup& initial) override;
        std::optional<QString> chooseFolder(const QString& title, const QString& initialFolder) override;
        std::optional<QString>
        chooseOpenFile(const QString& title, const QString& initialFolder, const QString& filter) override;
        std::optional<QString>
        chooseSaveFile(const QString& title, const QString& initialPath, const QString& filter) override;
        bool choosePrinter(QPrinter& printer) override;
        SpellAnswer reviewSpelling(const SpellQuestion& question) override;
        std::optional<QString> chooseSynonym(const QString& word, const QList<SynonymGroup>& meanings) override;

        void setParent(QWidget* parent);

    private:
        QWidget* parentWidget() const;

        QPointer<QWidget> m_parent;
        // Kept between set-ups and prints so the paper and printer the user picked stay picked.
        std::unique_ptr<QPrinter> m_printer;
    };

} // namespace qv

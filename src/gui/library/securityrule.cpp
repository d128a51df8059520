#include "securityrule.h"

#include "librarydocuments.h"

#include "core/reports/printsettings.h"
#include "gui/kit/busypointer.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/dialogs.h"
#include "gui/kit/help.h"
#include "gui/kit/palette.h"
#include "gui/kit/prompter.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/weblinks.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

namespace qv {

    namespace {

        ViewerFrame::Look ruleLook()
        {
            ViewerFrame::Look look;
            look.ownButton = ViewerFrame::ToSecurityRule;
            look.title = QStringLiteral("Security Rule");
            look.objectName = QStringLiteral("PrivRule");
            look.navigationArray = QStringLiteral("SSCommand2");
            look.exitEntry = QStringLiteral("E&xit Program");
            look.screenTopic = HelpTopic::SecurityRule;
            look.screenHelpName = QStringLiteral("mHSec");
            look.screenHelpCaption = QStringLiteral("&Security Rule");
            look.printHelp = true;
            look.rangeCaption = QStringLiteral("Print Rule Selection");
            return look;
        }

        // The chosen section's caption in bright blue, the others in black.
        void paintCaption(QRadioButton* option, bool selected)
        {
            QPalette palette = option->palette();
            palette.setColor(QPalette::WindowText, paletteColor(selected ? PaletteBrightBlue : PaletteBlack));
            option->setPalette(palette);
        }

        inline constexpr PageMargins RuleMargins{350, 300, 350, 100};

        enum Command
        {
            FontDisplay = 3,
            PrintOptionsCommand = 4,
            SearchCommand = 5,
            ClearCommand = 6,
            RulePdf = 7
        };

    } // namespace

    SecurityRule::SecurityRule(const LibraryContext& context, QWidget* parent)
        : ViewerFrame(context, ruleLook(), parent)
    {
        pane()->setObjectName(QStringLiteral("RText2"));

        auto* frame = new QGroupBox(QStringLiteral("HIPAA Security Rule"));
        frame->setObjectName(QStringLiteral("SectionFrame"));
        auto* options = new QVBoxLayout(frame);
        options->setSpacing(1);
        options->setContentsMargins(6, 4, 4, 4);
        m_sectionGroup = new QButtonGroup(this);
        const QList<RuleSection>& sections = ruleSections();
        for (int i = 0; i < sections.size(); ++i) {
            auto* option = new QRadioButton(sections.at(i).caption, frame);
            setControlName(option, QStringLiteral("SSOption1"), i);
            option->setToolTip(sections.at(i).description);
            m_sectionGroup->addButton(option, i);
            connect(option, &QRadioButton::clicked, this, [this, i] { chooseSection(i); });
            options->addWidget(option);
            m_sections.append(option);
        }
        documentColumn()->addWidget(frame);
        documentColumn()->addStretch(1);

        m_cover = new QLabel(contentPanel());
        m_cover->setObjectName(QStringLiteral("RText"));
        m_cover->setAutoFillBackground(true);
        m_cover->hide();

        m_searchPanel = new QFrame(contentPanel());
        m_searchPanel->setObjectName(QStringLiteral("Panel3D3"));
        m_searchPanel->setFrameShape(QFrame::Panel);
        m_searchPanel->setFrameShadow(QFrame::Raised);
        m_searchPanel->setAutoFillBackground(true);
        auto* searchRow = new QHBoxLayout(m_searchPanel);
        searchRow->setContentsMargins(6, 4, 6, 4);
        searchRow->addWidget(new QLabel(QStringLiteral("  Enter Word(s) for Search"), m_searchPanel));
        m_searchText = new QLineEdit(m_searchPanel);
        m_searchText->setObjectName(QStringLiteral("Text1"));
        searchRow->addWidget(m_searchText, 1);
        m_searchButton = new QPushButton(QStringLiteral("&Search"), m_searchPanel);
        m_searchButton->setObjectName(QStringLiteral("Command5"));
        searchRow->addWidget(m_searchButton);
        auto* closeSearch = new QPushButton(QStringLiteral("&Close"), m_searchPanel);
        closeSearch->setObjectName(QStringLiteral("Command6"));
        searchRow->addWidget(closeSearch);
        m_searchPanel->hide();
        connect(m_searchText, &QLineEdit::textChanged, this, [this] { m_nextStart = 0; });
        connect(m_searchButton, &QPushButton::clicked, this, &SecurityRule::searchNext);
        connect(closeSearch, &QPushButton::clicked, m_searchPanel, &QWidget::hide);
        // The user moving the caret moves the search with it; the search's own selections do not.
        connect(pane(), &QTextEdit::cursorPositionChanged, this, [this] {
            if (!m_searching) {
                m_nextStart = pane()->selStart();
            }
        });

        const QString captions[] = {QStringLiteral("&Font Display"),
                                    QStringLiteral("&Print Options"),
                                    QStringLiteral("&Search"),
                                    QStringLiteral("&Clear"),
                                    QStringLiteral("&HIPAA Security Rule (PDF)")};
        for (int i = 0; i < 5; ++i) {
            auto* button = new QPushButton(captions[i], contentPanel());
            setControlName(button, QStringLiteral("SSCommand") + QString::number(i + 3), i + 3);
            m_commands.append(button);
        }
        connect(command(FontDisplay), &QPushButton::clicked, this, &SecurityRule::fontDisplay);
        connect(command(PrintOptionsCommand), &QPushButton::clicked, this, &SecurityRule::openPrintOptionsCommand);
        connect(command(SearchCommand), &QPushButton::clicked, this, &SecurityRule::toggleSearch);
        connect(command(ClearCommand), &QPushButton::clicked, this, &SecurityRule::clearSection);
        connect(command(RulePdf), &QPushButton::clicked, this, [this] {
            BusyPointer busy;
            openAddress(hhsSecurityRulePdf());
        });

        optionsMenu()->addSeparator();
        connect(addOptionsEntry(QStringLiteral("mOClip"), QStringLiteral("&Copy to Clipboard")),
                &QAction::triggered,
                this,
                &ViewerFrame::copyToClipboard);
        connect(addOptionsEntry(QStringLiteral("mOFD"), QStringLiteral("&Font Display")),
                &QAction::triggered,
                this,
                [this] {
                    if (printOptionsOpen()) {
                        QApplication::beep();
                        return;
                    }
                    fontDisplay();
                });
        connect(addOptionsEntry(QStringLiteral("mOPrint"), QStringLiteral("&Print Options")),
                &QAction::triggered,
                this,
                &SecurityRule::openPrintOptionsCommand);
        connect(
            addOptionsEntry(QStringLiteral("mOSearch"), QStringLiteral("&Search")), &QAction::triggered, this, [this] {
                if (printOptionsOpen()) {
                    QApplication::beep();
                    return;
                }
                toggleSearch();
            });
        setSectionCommandsEnabled(false);
    }

    int SecurityRule::currentSection() const
    {
        return m_current;
    }

    QRadioButton* SecurityRule::sectionOption(int index) const
    {
        return m_sections.value(index);
    }

    QPushButton* SecurityRule::command(int index) const
    {
        return m_commands.value(index - 3);
    }

    QFrame* SecurityRule::searchPanel() const
    {
        return m_searchPanel;
    }

    QLineEdit* SecurityRule::searchText() const
    {
        return m_searchText;
    }

    int SecurityRule::nextSearchStart() const
    {
        return m_nextStart;
    }

    void SecurityRule::setSectionCommandsEnabled(bool enabled)
    {
        command(FontDisplay)->setEnabled(enabled);
        command(PrintOptionsCommand)->setEnabled(enabled);
        command(SearchCommand)->setEnabled(enabled);
        for (const char16_t* name : {u"mOClip", u"mOFD", u"mOPrint", u"mOSearch"}) {
            menuAction(QString::fromUtf16(name))->setEnabled(enabled);
        }
    }

    void SecurityRule::chooseSection(int index)
    {
        if (index < 0 || index >= SectionCount) {
            return;
        }
        for (QRadioButton* option : std::as_const(m_sections)) {
            paintCaption(option, false);
        }
        m_sections.at(index)->setChecked(true);
        paintCaption(m_sections.at(index), true);
        m_searchPanel->hide();
        setDocumentCaption(ruleSections().at(index).description);

        // The cover hides the pane while a long section is read in, so it never shows half-loaded.
        m_cover->setGeometry(pane()->geometry());
        m_cover->show();
        m_cover->raise();
        m_current = index;
        {
            BusyPointer busy;
            m_searching = true;
            if (!loadDocument(ruleSectionFile(index))) {
                pane()->clear();
            }
            m_searching = false;
            m_nextStart = 0;
            setSectionCommandsEnabled(true);
            command(PrintOptionsCommand)->setFocus(Qt::OtherFocusReason);
        }
        m_cover->hide();
    }

    void SecurityRule::clearSection()
    {
        m_sectionGroup->setExclusive(false);
        for (QRadioButton* option : std::as_const(m_sections)) {
            option->setChecked(false);
            paintCaption(option, false);
        }
        m_sectionGroup->setExclusive(true);
        m_current = -1;
        pane()->clear();
        setSectionCommandsEnabled(false);
    }

    void SecurityRule::toggleSearch()
    {
        if (!command(SearchCommand)->isEnabled()) {
            return;
        }
        if (!m_searchPanel->isHidden()) {
            m_searchPanel->hide();
            layoutContent();
            return;
        }
        m_searchText->clear();
        m_nextStart = 0;
        m_searchPanel->show();
        layoutContent();
        m_searchText->setFocus(Qt::OtherFocusReason);
    }

    void SecurityRule::searchNext()
    {
        const QString words = m_searchText->text();
        const int found = words.isEmpty() ? -1 : pane()->find(words, m_nextStart);
        m_searching = true;
        if (found >= 0) {
            pane()->select(found, static_cast<int>(words.size()));
            pane()->ensureCursorVisible();
            m_nextStart = found + static_cast<int>(words.size());
        } else {
            context().prompter.inform(QStringLiteral("Search Document"),
                                      QStringLiteral("Search has reached the end of the document."));
            pane()->setSelStart(0);
            m_nextStart = 0;
            pane()->setFocus(Qt::OtherFocusReason);
        }
        m_searching = false;
        m_searchButton->setFocus(Qt::OtherFocusReason);
    }

    void SecurityRule::fontDisplay()
    {
        if (!command(FontDisplay)->isEnabled()) {
            return;
        }
        const int start = pane()->selStart();
        const int length = pane()->selLength();
        if (length == 0) {
            context().prompter.inform(QStringLiteral("Font Display"), QStringLiteral("Please select text to change."));
            return;
        }
        QFont initial = pane()->font();
        initial.setFamily(pane()->selFontName().value_or(initial.family()));
        initial.setPointSizeF(pane()->selFontSize().value_or(initial.pointSizeF()));
        initial.setBold(pane()->selBold().value_or(false));
        initial.setItalic(pane()->selItalic().value_or(false));
        initial.setUnderline(pane()->selUnderline().value_or(false));
        initial.setStrikeOut(pane()->selStrikethrough().value_or(false));
        const std::optional<FontChoice> chosen =
            context().dialogs.chooseFont(FontChoice{initial, pane()->selColor().value_or(QColor(Qt::black))});
        if (chosen) {
            // Only the pane changes: the installed section is never written.
            m_searching = true;
            pane()->setSelFontName(chosen->font.family());
            pane()->setSelFontSize(chosen->font.pointSizeF());
            pane()->setSelBold(chosen->font.bold());
            pane()->setSelItalic(chosen->font.italic());
            pane()->setSelUnderline(chosen->font.underline());
            pane()->setSelStrikethrough(chosen->font.strikeOut());
            pane()->setSelColor(chosen->color);
            m_searching = false;
        }
        pane()->select(start, length);
        pane()->setFocus(Qt::OtherFocusReason);
    }

    void SecurityRule::openPrintOptionsCommand()
    {
        if (printOptionsOpen() || !command(PrintOptionsCommand)->isEnabled()) {
            return;
        }
        if (pane()->selLength() >= 1) {
            QTextDocument selection;
            selection.setDefaultFont(pane()->document()->defaultFont());
            QTextCursor(&selection).insertFragment(pane()->textCursor().selection());
            openPrintOptions(selection, RuleMargins);
        } else {
            openPrintOptions(*pane()->document(), RuleMargins);
        }
    }

    bool SecurityRule::escapeInner()
    {
        if (!m_searchPanel->isHidden()) {
            m_searchPanel->hide();
            layoutContent();
            return true;
        }
        return false;
    }

    void SecurityRule::keyPressEvent(QKeyEvent* event)
    {
        // Enter searches wherever the focus is while the search panel is open; the search box lets
        // the key through to here.
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && !m_searchPanel->isHidden()) {
            searchNext();
            return;
        }
        ViewerFrame::keyPressEvent(event);
    }

    void SecurityRule::layoutContent()
    {
        const QRect panel = contentPanel()->rect().adjusted(4, 4, -4, -4);
        if (m_commands.isEmpty()) {
            ViewerFrame::layoutContent();
            return;
        }
        int buttonHeight = 0;
        int total = 0;
        for (QPushButton* button : std::as_const(m_commands)) {
            buttonHeight = std::max(buttonHeight, button->sizeHint().height());
            total += button->sizeHint().width() + 6;
        }
        int x = panel.left() + std::max(0, (panel.width() - total) / 2);
        const int buttonsTop = panel.bottom() + 1 - buttonHeight;
        for (QPushButton* button : std::as_const(m_commands)) {
            const int w = button->sizeHint().width();
            button->setGeometry(x, buttonsTop, w, buttonHeight);
            x += w + 6;
        }
        int bottom = buttonsTop - 6;
        if (!m_searchPanel->isHidden()) {
            const int h = m_searchPanel->sizeHint().height();
            m_searchPanel->setGeometry(panel.left(), bottom - h, panel.width(), h);
            bottom -= h + 4;
        }
        pane()->setGeometry(panel.left(), panel.top(), panel.width(), std::max(1, bottom - panel.top()));
        m_cover->setGeometry(pane()->geometry());
    }

} // namespace qv

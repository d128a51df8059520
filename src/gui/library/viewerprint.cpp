#include "viewerprint.h"

#include "core/reports/printsettings.h"
#include "core/shell/displaysettings.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/prompter.h"
#include "gui/reports/previewwidget.h"
#include "gui/reports/printcommands.h"
#include "gui/reports/printoptionspanel.h"
#include "gui/reports/printoutput.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace qv {

    ViewerPrint::ViewerPrint(Dialogs& dialogs,
                             Prompter& prompter,
                             const ProgramFolder& folder,
                             PrintSettings& settings,
                             const QString& rangeCaption,
                             const QString& closeCaption,
                             QWidget* panelParent)
        : QObject(panelParent)
        , m_dialogs(dialogs)
        , m_prompter(prompter)
        , m_folder(folder)
        , m_settings(settings)
        , m_panel(new PrintOptionsPanel(m_engine, panelParent))
        , m_document(std::make_unique<QTextDocument>())
    {
        m_engine.setPreview(true);
        m_panel->hide();

        auto* frames = new QWidget;
        auto* column = new QVBoxLayout(frames);
        column->setContentsMargins(0, 0, 0, 0);
        auto* range = new QGroupBox(QStringLiteral("Print Range"), frames);
        range->setObjectName(QStringLiteral("PrintRange"));
        auto* rangeLayout = new QVBoxLayout(range);
        auto* whole = new QRadioButton(rangeCaption, range);
        whole->setObjectName(QStringLiteral("PrintRangeOption"));
        whole->setChecked(true);
        rangeLayout->addWidget(whole);
        column->addWidget(range);

        auto* display = new QGroupBox(QStringLiteral("Display Options"), frames);
        display->setObjectName(QStringLiteral("DisplayOptions"));
        auto* displayLayout = new QVBoxLayout(display);
        const QString captions[2] = {QStringLiteral("Do Not Display Guide Lines"),
                                     QStringLiteral("Display Guide Lines")};
        for (int i = 0; i < 2; ++i) {
            auto* button = new QRadioButton(captions[i], display);
            setControlName(button, QStringLiteral("SSOption82"), i);
            displayLayout->addWidget(button);
            m_guideButtons[i] = button;
            // Only the user's click is a choice to remember; the program picking it is not.
            connect(button, &QRadioButton::clicked, this, [this, i] {
                m_panel->preview()->setGuidesShown(i == 1);
                if (const Status written = display::writeGuideLineOption(m_folder, i); !written) {
                    m_prompter.warn(QStringLiteral("Display Options"), written.error());
                }
            });
        }
        column->addWidget(display);

        // The reference documents print in their own fonts, and nothing reads the font button.
        m_panel->command(PrintOptionsPanel::FontCommand)->hide();
        m_panel->command(PrintOptionsPanel::CloseCommand)->setText(closeCaption);
        m_panel->useOwnFrames(frames);
        resetOrientation();
        takeGuideLineOption();
        connect(m_panel, &PrintOptionsPanel::commandClicked, this, &ViewerPrint::onCommand);
    }

    ViewerPrint::~ViewerPrint() = default;

    PrintOptionsPanel* ViewerPrint::panel() const
    {
        return m_panel;
    }

    const PageEngine& ViewerPrint::engine() const
    {
        return m_engine;
    }

    bool ViewerPrint::isOpen() const
    {
        return !m_panel->isHidden();
    }

    QRadioButton* ViewerPrint::guideLineButton(int index) const
    {
        return index == 0 || index == 1 ? m_guideButtons[index] : nullptr;
    }

    void ViewerPrint::takeGuideLineOption()
    {
        const std::optional<int> option = display::readGuideLineOption(m_folder);
        if (option) {
            m_guideButtons[*option]->setChecked(true);
        } else {
            // Exclusive buttons cannot be unchecked one by one.
            for (QRadioButton* button : m_guideButtons) {
                button->setAutoExclusive(false);
                button->setChecked(false);
                button->setAutoExclusive(true);
            }
        }
        m_panel->preview()->setGuidesShown(option == 1);
    }

    void ViewerPrint::resetOrientation()
    {
        m_settings.orientation = PageOrientation::Portrait;
        m_panel->setOrientationText(QStringLiteral(" Portrait"));
    }

    void ViewerPrint::open(const QTextDocument& document, const PageMargins& margins, const QString& title)
    {
        if (isOpen()) {
            return;
        }
        // Another screen may have changed the choice since this one was made.
        takeGuideLineOption();
        m_settings.margins = margins;
        m_document.reset(document.clone());
        m_title = title;
        rebuild();
        m_panel->show();
        m_panel->raise();
        m_panel->command(PrintOptionsPanel::CloseCommand)->setFocus(Qt::OtherFocusReason);
        Q_EMIT openChanged(true);
    }

    void ViewerPrint::close()
    {
        if (!isOpen()) {
            return;
        }
        m_panel->setEnlarged(false);
        m_panel->hide();
        Q_EMIT openChanged(false);
    }

    void ViewerPrint::rebuild()
    {
        m_engine.setPreview(true);
        m_engine.clear();
        m_engine.setPaperSize(m_settings.paper);
        m_engine.setMarginBottom(m_settings.margins.bottom);
        m_engine.setMarginTop(m_settings.margins.top);
        m_engine.setMarginLeft(m_settings.margins.left);
        m_engine.setMarginRight(m_settings.margins.right);
        m_engine.setOrientation(m_settings.orientation);
        m_engine.startDoc();
        m_engine.richParagraph(*m_document);
        m_engine.endDoc();
    }

    void ViewerPrint::onCommand(int command)
    {
        switch (command) {
        case PrintOptionsPanel::PageSetupCommand:
            pageSetup();
            break;
        case PrintOptionsPanel::CloseCommand:
            close();
            break;
        case PrintOptionsPanel::CopyPageCommand:
            copyCurrentPage();
            break;
        case PrintOptionsPanel::PrintCommand:
            print();
            break;
        case PrintOptionsPanel::SavePdfCommand:
            savePdf();
            break;
        default:
            break;
        }
    }

    void ViewerPrint::pageSetup()
    {
        if (!askPageSetup(m_dialogs, m_settings)) {
            return;
        }
        m_panel->setOrientationText(m_settings.orientation == PageOrientation::Landscape ? QStringLiteral(" Landscape")
                                                                                         : QStringLiteral(" Portrait"));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        rebuild();
    }

    void ViewerPrint::print()
    {
        if (m_engine.pageCount() == 0) {
            m_prompter.inform(QStringLiteral("Print"), QStringLiteral("There is nothing to print."));
            return;
        }
        const Result<PrintOutcome> printed = printDocument(m_engine.document(), m_dialogs);
        if (!printed) {
            m_prompter.critical(QStringLiteral("Print"), printed.error());
        }
    }

    void ViewerPrint::copyCurrentPage()
    {
        const Status copied = copyPageToClipboard(m_engine.document(), m_panel->preview()->currentPage());
        if (!copied) {
            m_prompter.critical(QStringLiteral("Copy Option"), copied.error());
            return;
        }
        m_prompter.inform(QStringLiteral("Copy Option"),
                          QStringLiteral("Current Page has been copied to the Windows Clipboard."));
        m_panel->command(PrintOptionsPanel::CloseCommand)->setFocus(Qt::OtherFocusReason);
    }

    void ViewerPrint::savePdf()
    {
        saveAsPdf(m_engine.document(), m_dialogs, m_prompter, m_title);
    }

} // namespace qv

// The Action Area as one screen among several: the navigation buttons, the hand-over to the reference
// screens and back, the exit question, and the window's own events.
#include "actionarea.h"

#include "gui/documents/worksheetarea.h"
#include "gui/reports/printdesk.h"
#include "gui/reports/printoptionspanel.h"

#include "core/storage/clock.h"
#include "gui/kit/busypointer.h"
#include "gui/kit/captionbutton.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/help.h"
#include "gui/kit/navigator.h"
#include "gui/kit/prompter.h"
#include "gui/kit/richtexteditor.h"
#include "gui/kit/workpanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPushButton>

namespace qv {

    namespace {
        // Fractions of the window's height the area panels take.
        constexpr double OverviewPanelHeight = 0.8222;
        constexpr double TimelinePanelHeight = 0.822;
        constexpr double WorkPanelHeight = 0.692;
    } // namespace

    void ActionArea::pressNavigation(int k)
    {
        if (k < 0 || k >= NavigationCount) {
            return;
        }
        // Leaving the screen with edits asks first; a save that did not happen keeps the user here.
        if (k != 0 && !offerToSave()) {
            return;
        }
        for (int i = 0; i <= 5; ++i) {
            m_navigationButtons[i]->setSelectedLook(false);
        }
        if (k < 5) {
            m_navigationButtons[k]->setSelectedLook(true);
        }
        m_navigator.setRequestedScreen(k);
        if (k == 0) {
            return;
        }
        BusyPointer busy;
        if (k < 4) {
            m_workPanel->hide();
            QApplication::processEvents();
        }
        switch (k) {
        case 1:
        case 2:
        case 3:
        case 6:
            m_navigator.show(k);
            break;
        case 4:
            askExit();
            break;
        case 5:
            break;
        default:
            break;
        }
    }

    void ActionArea::askExit()
    {
        const PromptAnswer answer = m_prompter.ask({QStringLiteral("Exit"),
                                                    QStringLiteral("Exit Quorvane?"),
                                                    PromptIcon::Question,
                                                    PromptButtons::YesNoCancel,
                                                    PromptAnswer::No});
        if (answer == PromptAnswer::Yes) {
            Q_EMIT exitRequested();
            return;
        }
        m_navigator.setRequestedScreen(0);
        pressNavigation(0);
    }

    int ActionArea::helpTopic() const
    {
        switch (m_state.area) {
        case 1:
            return HelpTopic::Timeline;
        case 7:
            return HelpTopic::Worksheets;
        case 8:
            return HelpTopic::RecoveryPlan;
        default:
            return HelpTopic::ActionArea;
        }
    }

    // ---- Window events -------------------------------------------------------------------------

    void ActionArea::showEvent(QShowEvent* event)
    {
        QMainWindow::showEvent(event);
        if (!event->spontaneous()) {
            activated();
        }
    }

    void ActionArea::activated()
    {
        m_state.documentKind = 0;
        setMenuEnabled(QStringLiteral("mOArchive"), false);
        if (QWidget* start = m_navigator.existing(Navigator::StartScreen)) {
            start->hide();
        }
        BusyPointer busy;
        const int requested = m_navigator.requestedScreen();
        if (requested != 0) {
            m_coverPanel->setGeometry(m_content->rect());
            m_coverPanel->show();
            m_coverPanel->raise();
            m_coverPanel->setFocus();
            static const QMap<int, QString> captions = {
                {1, QStringLiteral("Information Advisor")},
                {2, QStringLiteral("Security Rule")},
                {3, QStringLiteral("Miscellaneous")},
                {5, QStringLiteral("HITECH Information")},
            };
            m_navigator.setRequestedScreen(0);
            if (captions.contains(requested)) {
                setCaption(captions.value(requested));
                m_navigator.show(requested == 5 ? Navigator::HitechInformation : requested);
            }
            return;
        }
        m_coverPanel->hide();
        pressNavigation(0);
        selectArea(0);
        m_state.area = 0;
        m_dateLabel->setText(
            QStringLiteral("Date: ") +
            QLocale(QLocale::English).toString(Clock::current().today(), QStringLiteral("MMMM d, yyyy")));
        setMenuEnabled(QStringLiteral("mUExport"), false);
    }

    void ActionArea::closeEvent(QCloseEvent* event)
    {
        if (!offerToSave()) {
            event->ignore();
            return;
        }
        if (QWidget* start = m_navigator.window(Navigator::StartScreen)) {
            start->setGeometry(geometry());
            start->show();
        }
        event->accept();
    }

    void ActionArea::keyPressEvent(QKeyEvent* event)
    {
        if (event->key() == Qt::Key_Escape) {
            escape();
            return;
        }
        if (event->key() == Qt::Key_F1) {
            m_help.showTopic(m_printDesk->isOpen() ? HelpTopic::Printing : helpTopic());
            return;
        }
        QMainWindow::keyPressEvent(event);
    }

    void ActionArea::escape()
    {
        // Innermost first: Esc backs out of what covers the screen one layer at a time, and asks to
        // end the program only when nothing is left open over it.
        QFrame* titlePanel = m_worksheets->titlePanel();
        if (titlePanel->isVisible()) {
            if (auto* leave = controlAt<QPushButton>(titlePanel, QStringLiteral("SSCommand21"), 1)) {
                leave->click();
            }
            return;
        }
        if (m_printDesk->isOpen()) {
            if (m_printDesk->panel()->isEnlarged()) {
                m_printDesk->panel()->setEnlarged(false);
            } else {
                m_printDesk->close();
            }
            return;
        }
        pressNavigation(Navigator::ExitProgram);
    }

    void ActionArea::resizeEvent(QResizeEvent* event)
    {
        QMainWindow::resizeEvent(event);
        layOutPanels();
    }

    void ActionArea::layOutPanels()
    {
        const int w = m_content->width();
        const int h = m_content->height();
        const int windowHeight = height();
        auto fit = [h](double fraction, int windowHeight) {
            return qMin(h, static_cast<int>(fraction * windowHeight));
        };
        m_areaPanels[0]->setGeometry(0, 0, w, fit(OverviewPanelHeight, windowHeight));
        m_areaPanels[1]->setGeometry(0, 0, w, fit(TimelinePanelHeight, windowHeight));
        const int workHeight = fit(WorkPanelHeight, windowHeight);
        m_areaPanels[3]->setGeometry(0, h - workHeight, w, workHeight);
        m_areaPanels[2]->setGeometry(0, 0, w, qMax(0, h - workHeight - 6));
        if (m_coverPanel->isVisible()) {
            m_coverPanel->setGeometry(m_content->rect());
        }
        if (m_printDesk) {
            m_printDesk->panel()->setGeometry(m_content->rect());
        }
    }

    void ActionArea::addPopupFilter(QWidget* widget)
    {
        widget->installEventFilter(this);
    }

    bool ActionArea::eventFilter(QObject* watched, QEvent* event)
    {
        if (watched == m_content && event->type() == QEvent::Resize) {
            layOutPanels();
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton && watched != m_workPanel->editor()) {
                m_optionsMenu->popup(mouse->globalPosition().toPoint());
                return true;
            }
        }
        return QMainWindow::eventFilter(watched, event);
    }

} // namespace qv

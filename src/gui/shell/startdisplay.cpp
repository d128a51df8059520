// The start screen's display options: full or smaller screen, the remembered window size and its
// limits, the check of the screen at start and the background colour.
#include "gui/kit/dialogs.h"
#include "gui/kit/navigator.h"
#include "gui/kit/prompter.h"
#include "startscreen.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace qv {

    namespace {

        QString displayTitle()
        {
            return QStringLiteral("Quorvane Program Display Option");
        }

        bool isNormalState(Qt::WindowStates state)
        {
            return !(state & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
        }

    } // namespace

    void StartScreen::setScreenMeasure(std::function<QSize()> measure)
    {
        m_screenMeasure = std::move(measure);
    }

    QColor StartScreen::backgroundColor() const
    {
        return m_background->palette().color(QPalette::Window);
    }

    void StartScreen::report(const QString& title, const Status& status)
    {
        if (!status) {
            m_prompter.warn(title, status.error());
        }
    }

    display::WindowTwips StartScreen::windowTwips() const
    {
        // The frame counts, as the size is the whole window's; it is known only once the window is up.
        const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : QSize(0, 0);
        QSize size = this->size();
        if (!isNormalState(windowState()) && normalGeometry().isValid()) {
            size = normalGeometry().size();
        }
        size += frame;
        return {double(size.height()) * display::TwipsPerPixel, double(size.width()) * display::TwipsPerPixel};
    }

    void StartScreen::resizeToTwips(display::WindowTwips size)
    {
        const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : QSize(0, 0);
        const auto pixels = [](double twips) { return int(std::ceil(twips / display::TwipsPerPixel)); };
        resize(pixels(size.width) - frame.width(), pixels(size.height) - frame.height());
    }

    void StartScreen::applyScreenPreference()
    {
        const display::ScreenPreference preference = display::readScreenPreference(m_folder);
        m_navigator.setSmallerScreen(preference.smaller);
        m_fullScreenEntry->setChecked(!preference.smaller);
        m_smallerScreenEntry->setChecked(preference.smaller);
        if (!preference.smaller) {
            setWindowState((windowState() & ~(Qt::WindowMinimized | Qt::WindowFullScreen)) | Qt::WindowMaximized);
            return;
        }
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
        m_openingSize = display::openingSize(preference.stored);
        resizeToTwips(m_openingSize);
        centreOnScreen();
    }

    void StartScreen::centreOnScreen()
    {
        if (const QScreen* on = screen()) {
            const QRect available = on->availableGeometry();
            QRect centred = frameGeometry();
            centred.moveCenter(available.center());
            move(qMax(available.left(), centred.left()), qMax(available.top(), centred.top()));
        }
    }

    bool StartScreen::screenIsLargeEnough()
    {
        QSize pixels;
        if (m_screenMeasure) {
            pixels = m_screenMeasure();
        } else if (const QScreen* on = screen()) {
            pixels = on->geometry().size();
        }
        if (display::screenIsLargeEnough(pixels.width(), pixels.height())) {
            return true;
        }
        m_prompter.inform(displayTitle(),
                          QStringLiteral("Monitor Resolution Settings (Screen Area) and Program Size requirements are "
                                         "at least 1024 by 768 or Higher.") +
                              QChar(13) +
                              QStringLiteral("If you do not set your screen resolution to this setting or higher this "
                                             "program will not function properly!"));
        return false;
    }

    void StartScreen::showInMode()
    {
        if (m_navigator.smallerScreen()) {
            const bool wasVisible = isVisible();
            showNormal();
            if (!wasVisible) {
                resizeToTwips(m_openingSize);
                centreOnScreen();
            }
        } else {
            showMaximized();
        }
    }

    void StartScreen::showModeButton()
    {
        m_fullScreenButton->setVisible(m_navigator.smallerScreen());
        m_smallerScreenButton->setVisible(!m_navigator.smallerScreen());
    }

    // After a change of mode the screen loads again: the mode and size as now remembered, the
    // background and the button that leads back.
    void StartScreen::reload()
    {
        applyScreenPreference();
        if (isVisible()) {
            showInMode();
        }
        applyBackground();
        showModeButton();
        centrePanel();
        m_beginButton->setFocus();
    }

    void StartScreen::chooseFullScreen()
    {
        // The entry is checkable, so the click has already turned the check mark over.
        if (!m_fullScreenEntry->isChecked()) {
            m_fullScreenEntry->setChecked(true);
            return;
        }
        m_smallerScreenEntry->setChecked(false);
        report(displayTitle(), display::writeFullScreen(m_folder));
        reload();
    }

    void StartScreen::chooseSmallerScreen()
    {
        if (!m_smallerScreenEntry->isChecked()) {
            m_smallerScreenEntry->setChecked(true);
            return;
        }
        // Measured before the window leaves the maximised state: its normal size is what it returns to.
        switchToSmaller(windowTwips());
    }

    void StartScreen::switchToSmaller(display::WindowTwips size)
    {
        m_smallerScreenEntry->setChecked(true);
        m_fullScreenEntry->setChecked(false);
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
        report(displayTitle(), display::writeSmallerScreen(m_folder, size));
        reload();
    }

    void StartScreen::fullScreenButton()
    {
        report(displayTitle(), display::writeWindowSize(m_folder, windowTwips()));
        m_fullScreenEntry->setChecked(true);
        chooseFullScreen();
    }

    void StartScreen::smallerScreenButton()
    {
        if (m_smallerScreenEntry->isChecked()) {
            return;
        }
        const display::WindowTwips size =
            display::heldSize(display::openingSize(display::readScreenPreference(m_folder).stored));
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
        resizeToTwips(size);
        switchToSmaller(size);
    }

    void StartScreen::defaultScreenSize()
    {
        m_fullScreenEntry->setChecked(false);
        m_smallerScreenEntry->setChecked(false);
        report(displayTitle(), display::writeDefaultScreenSize(m_folder));
        reload();
    }

    void StartScreen::keepWindowSize()
    {
        if (isNormalState(windowState())) {
            report(displayTitle(), display::writeSmallerScreen(m_folder, windowTwips()));
        }
    }

    void StartScreen::setBackground(const QColor& color)
    {
        QPalette palette = m_background->palette();
        palette.setColor(QPalette::Window, color);
        m_background->setPalette(palette);
    }

    void StartScreen::applyBackground()
    {
        const display::StartBackground background = display::readStartBackground(m_folder);
        setBackground(background.useDefault ? m_title->palette().color(QPalette::WindowText) : background.color);
    }

    void StartScreen::chooseBackgroundColor()
    {
        const QString title = QStringLiteral("Background Color");
        const QChar cr(13);
        const PromptAnswer answer =
            m_prompter.ask({title,
                            QStringLiteral("Select New Color or Use System Default Color?") + cr + cr +
                                QStringLiteral("Yes = Color Selection Panel will appear.") + cr +
                                QStringLiteral("No = Current System Default Color will be selected."),
                            PromptIcon::Information,
                            PromptButtons::YesNoCancel,
                            std::nullopt});
        if (answer == PromptAnswer::No) {
            setBackground(m_title->palette().color(QPalette::WindowText));
            report(title, display::writeStartBackground(m_folder, {true, {}}));
        } else if (answer == PromptAnswer::Yes) {
            const std::optional<QColor> chosen = m_dialogs.chooseColor(backgroundColor());
            if (!chosen) {
                return;
            }
            setBackground(chosen->toRgb());
            report(title, display::writeStartBackground(m_folder, {false, chosen->toRgb()}));
        }
    }

} // namespace qv

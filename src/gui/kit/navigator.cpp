#include "navigator.h"

namespace qv {

    Navigator::Navigator(QObject* parent)
        : QObject(parent)
    {
    }

    bool Navigator::valid(int screen)
    {
        return screen >= 0 && screen < ScreenCount;
    }

    int Navigator::requestedScreen() const
    {
        return m_requested;
    }

    void Navigator::setRequestedScreen(int screen)
    {
        if (!valid(screen) || screen == m_requested) {
            return;
        }
        m_requested = screen;
        Q_EMIT requestedScreenChanged(screen);
    }

    void Navigator::setFactory(int screen, Factory factory)
    {
        if (valid(screen)) {
            m_factories[static_cast<size_t>(screen)] = std::move(factory);
        }
    }

    void Navigator::adopt(int screen, QWidget* window)
    {
        if (valid(screen)) {
            m_windows[static_cast<size_t>(screen)] = window;
        }
    }

    bool Navigator::isAvailable(int screen) const
    {
        return valid(screen) && (m_factories[static_cast<size_t>(screen)] || m_windows[static_cast<size_t>(screen)]);
    }

    QWidget* Navigator::existing(int screen) const
    {
        return valid(screen) ? m_windows[static_cast<size_t>(screen)].data() : nullptr;
    }

    QWidget* Navigator::window(int screen)
    {
        if (!valid(screen)) {
            return nullptr;
        }
        auto& slot = m_windows[static_cast<size_t>(screen)];
        if (!slot) {
            const Factory& make = m_factories[static_cast<size_t>(screen)];
            if (!make) {
                return nullptr;
            }
            slot = make();
        }
        return slot;
    }

    QWidget* Navigator::show(int screen)
    {
        QWidget* target = window(screen);
        if (!target) {
            return nullptr;
        }
        target->show();
        target->raise();
        target->activateWindow();
        for (const auto& other : m_windows) {
            if (other && other != target) {
                other->hide();
            }
        }
        return target;
    }

} // namespace qv

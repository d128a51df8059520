#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

namespace qv {

    // Which screen is up. The numbers are those of the navigation buttons every screen carries; a
    // screen asks for another by number, and the Action Area, the hub, carries the request out.
    // Screens listed after the Action Area in the build order are made by factories the program
    // registers at start, so no screen depends on one built after it.
    class Navigator : public QObject
    {
        Q_OBJECT

    public:
        enum Screen : int
        {
            ActionArea = 0,
            InformationAdvisor = 1,
            SecurityRule = 2,
            Miscellaneous = 3,
            ExitProgram = 4,
            CloseExport = 5,
            HitechInformation = 6,
            StartScreen = 7
        };
        static constexpr int ScreenCount = 8;

        using Factory = std::function<QWidget*()>;

        explicit Navigator(QObject* parent = nullptr);

        // The screen a navigation button asked for; 0 also means none is pending.
        int requestedScreen() const;
        void setRequestedScreen(int screen);

        // The smaller-screen flag: set while the program runs in a window of a remembered size rather
        // than maximised. The start screen sets it as it loads; every other screen opens accordingly.
        bool smallerScreen() const
        {
            return m_smallerScreen;
        }
        void setSmallerScreen(bool smaller)
        {
            m_smallerScreen = smaller;
        }

        void setFactory(int screen, Factory factory);
        // A screen that exists for the whole run, such as the start screen.
        void adopt(int screen, QWidget* window);
        // Whether the screen can be opened in this build of the program; its buttons are disabled
        // until it can.
        bool isAvailable(int screen) const;

        // The screen's window if it has been made and not closed since.
        QWidget* existing(int screen) const;
        // The screen's window, made when it does not exist yet; nullptr when it is not available.
        QWidget* window(int screen);
        // Makes the screen's window (if need be) and shows it, then hides every other screen, so
        // that one screen is visible at a time.
        QWidget* show(int screen);

    Q_SIGNALS:
        void requestedScreenChanged(int screen);

    private:
        static bool valid(int screen);

        int m_requested = 0;
        bool m_smallerScreen = false;
        std::array<Factory, ScreenCount> m_factories;
        std::array<QPointer<QWidget>, ScreenCount> m_windows;
    };

} // namespace qv

#include "busypointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace qv {

    namespace {
        // Whether showBusy() holds an entry on the override-cursor stack; only it may remove that entry.
        bool s_busyShown = false;
    } // namespace

    void showBusy()
    {
        if (!s_busyShown) {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
            QGuiApplication::sync();
            s_busyShown = true;
        }
    }

    void showNormal()
    {
        if (s_busyShown) {
            QGuiApplication::restoreOverrideCursor();
            s_busyShown = false;
        }
    }

    BusyPointer::BusyPointer()
    {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        // The command that follows keeps the event loop from turning: the window system must have the
        // new pointer before it starts, or the user never sees it.
        QGuiApplication::sync();
    }

    BusyPointer::~BusyPointer()
    {
        QGuiApplication::restoreOverrideCursor();
    }

} // namespace qv

#pragma once

#include <QAction>
#include <QWidget>

namespace qv {

    // A command whose feature is not in the program yet stays visible but can never be enabled,
    // whatever the screen's own enabling steps say. Screens enable their commands through
    // enableCommand() so those steps can be written as they will stand once every feature is in.
    inline constexpr const char* UnavailableProperty = "quorvaneUnavailable";

    inline void markUnavailable(QObject* command)
    {
        command->setProperty(UnavailableProperty, true);
        if (auto* w = qobject_cast<QWidget*>(command)) {
            w->setEnabled(false);
        } else if (auto* a = qobject_cast<QAction*>(command)) {
            a->setEnabled(false);
        }
    }

    inline bool isAvailable(const QObject* command)
    {
        return !command->property(UnavailableProperty).toBool();
    }

    inline void enableCommand(QObject* command, bool enabled)
    {
        const bool on = enabled && isAvailable(command);
        if (auto* w = qobject_cast<QWidget*>(command)) {
            w->setEnabled(on);
        } else if (auto* a = qobject_cast<QAction*>(command)) {
            a->setEnabled(on);
        }
    }

} // namespace qv

#pragma once

#include "../actionarea/spinefixture.h"

#include <QUrl>

namespace qv {
    class ViewerFrame;
} // namespace qv

namespace qv::test {

    // The program's screens with the reference screens registered as main() registers them, over a
    // temporary program folder whose content folder holds a small stand-in for every document the
    // screens open ("Document <name>." and, for the Security Rule's sections, text to search).
    class Library
    {
    public:
        // With contentDir, the documents are the installed ones found there instead.
        explicit Library(const QString& contentDir = {});
        ~Library();

        // The Action Area, begun on first use.
        ActionArea* hub();
        // Navigation button k of the Action Area pressed: the screen that came up.
        template <typename Screen> Screen* open(int button)
        {
            return qobject_cast<Screen*>(openScreen(button));
        }
        QWidget* openScreen(int button);
        // Deleted screens go now, as they would when the event loop runs.
        static void settle();
        // The screens of the program that are visible now, by object name.
        QStringList visibleScreens() const;

        Spine spine;
        int exits = 0;
        // The backup utility as the screens asked for it: true for a restore.
        QList<bool> backups;
        QList<QUrl> opened;
    };

    // A stand-in RTF document whose text is text.
    QByteArray rtfDocument(const QString& text);

} // namespace qv::test

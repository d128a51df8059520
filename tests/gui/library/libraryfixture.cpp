#include "libraryfixture.h"

#include "gui/actionarea/actionarea.h"
#include "gui/kit/navigator.h"
#include "gui/kit/weblinks.h"
#include "gui/library/librarydocuments.h"
#include "gui/library/libraryscreens.h"

#include <QCoreApplication>
#include <QTest>

namespace qv::test {

    QByteArray rtfDocument(const QString& text)
    {
        return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 " + text.toLatin1() + "\\par}";
    }

    Library::Library(const QString& contentDir)
        : spine(contentDir)
    {
        for (const QString& name : libraryDocumentNames()) {
            spine.folder.putContent(name, rtfDocument(QStringLiteral("Document ") + name + u'.'));
        }
        // Section 2 is searched: "Security" stands at the very first character and "zebra" once.
        spine.folder.putContent(QStringLiteral("PR2.Fl1"),
                                rtfDocument(QStringLiteral("Security standards protect data. A zebra grazes. "
                                                           "Security again, and security once more.")));
        setUrlOpener([this](const QUrl& url) {
            opened.append(url);
            return true;
        });
        registerLibraryScreens({spine.navigator,
                                spine.prompter,
                                spine.help,
                                spine.dialogs,
                                spine.programFolder,
                                spine.printSettings,
                                [this](QWidget*, bool restore) { backups.append(restore); }},
                               [this] { ++exits; });
    }

    Library::~Library()
    {
        setUrlOpener(nullptr);
        for (int screen : {Navigator::InformationAdvisor,
                           Navigator::SecurityRule,
                           Navigator::Miscellaneous,
                           Navigator::HitechInformation}) {
            delete spine.navigator.existing(screen);
        }
    }

    ActionArea* Library::hub()
    {
        if (!spine.actionArea()) {
            spine.begin();
        }
        return spine.actionArea();
    }

    QWidget* Library::openScreen(int button)
    {
        press(hub(), QStringLiteral("SSCommand4"), button);
        settle();
        return spine.navigator.existing(button);
    }

    void Library::settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QStringList Library::visibleScreens() const
    {
        QStringList names;
        for (int screen = 0; screen < Navigator::ScreenCount; ++screen) {
            QWidget* window = spine.navigator.existing(screen);
            if (window && window->isVisible()) {
                names.append(window->objectName());
            }
        }
        return names;
    }

} // namespace qv::test

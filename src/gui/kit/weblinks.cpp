#include "weblinks.h"

#include "busypointer.h"
#include "prompter.h"

#include <QDesktopServices>

namespace qv {

    namespace {
        UrlOpener& opener()
        {
            static UrlOpener current;
            return current;
        }
    } // namespace

    QUrl vendorHomePage()
    {
        return QUrl(QStringLiteral("https://www.quorvane.example/"));
    }

    QUrl brevantelDownload()
    {
        return QUrl(QStringLiteral("https://www.quorvane.example/download/Brevantel.zip"));
    }

    void setUrlOpener(UrlOpener replacement)
    {
        opener() = std::move(replacement);
    }

    bool openWebPage(const QUrl& url, Prompter& prompter)
    {
        // The browser takes a while to appear; the arrow comes back first so the program does not
        // look hung meanwhile.
        showNormal();
        const bool opened = opener() ? opener()(url) : QDesktopServices::openUrl(url);
        if (!opened) {
            prompter.warn(QStringLiteral("Unable to Connect to Internet"),
                          QStringLiteral("Unable to connect to Internet.\r\rPlease insure your Internet is running in "
                                         "\rthe background, then please try again!"));
        }
        return opened;
    }

} // namespace qv

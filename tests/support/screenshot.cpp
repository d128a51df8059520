#include "screenshot.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace qv::test {

    QString grabToPng(QWidget* widget, const QString& name)
    {
        const QString folder = qEnvironmentVariable("QUORVANE_SCREENSHOT_DIR");
        if (folder.isEmpty() || widget == nullptr || !QDir().mkpath(folder)) {
            return QString();
        }
        const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
        if (!widget->grab().save(path, "PNG")) {
            return QString();
        }
        return path;
    }

} // namespace qv::test

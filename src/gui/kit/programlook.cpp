#include "programlook.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>

namespace qv {

    void applyProgramLook()
    {
        if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
            QApplication::setStyle(fusion);
        }
        // Liberation Sans has Arial's metrics, which the screens were sized for; DejaVu Sans, the usual
        // Linux default, is wide enough to cut captions off at 1024 pixels.
        const QStringList families = QFontDatabase::families();
        for (const QString& face : {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")}) {
            if (families.contains(face)) {
                QFont font(face);
                font.setPointSizeF(9.0);
                QApplication::setFont(font);
                return;
            }
        }
    }

} // namespace qv

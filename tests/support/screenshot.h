#pragma once

#include <QString>

class QWidget;

namespace qv::test {

    // Saves a picture of widget as name + ".png" in the folder named by QUORVANE_SCREENSHOT_DIR (CTest
    // sets it to the build tree's screens/), for people to look at. Returns the file written, or an
    // empty string when the variable is not set or the picture could not be saved.
    QString grabToPng(QWidget* widget, const QString& name);

} // namespace qv::test

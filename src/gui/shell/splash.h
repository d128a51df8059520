#pragma once

#include <QDialog>

namespace qv {

    // The splash window: product name and version, centred on the screen, shown once per run while
    // the start screen is built. It closes itself after its display time, or at once on a click or a
    // key; a timer keeps the event loop turning meanwhile, so nothing freezes.
    class Splash : public QDialog
    {
        Q_OBJECT

    public:
        explicit Splash(QWidget* parent = nullptr);

        // Shows the splash modally unless it was shown before in this run; true when it was shown now.
        static bool showOnce(QWidget* parent = nullptr);
        static bool wasShown();

        // Four seconds by default; tests make it shorter.
        static void setDisplayTime(int milliseconds);
        static int displayTime();

    protected:
        void showEvent(QShowEvent* event) override;
        // A click or a key is the user saying they have seen it: it closes at once.
        void mousePressEvent(QMouseEvent* event) override;
        void keyPressEvent(QKeyEvent* event) override;
    };

} // namespace qv

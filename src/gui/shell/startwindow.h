#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace qv {

    // The first window: the product name, its version and a way out. It grows into the full start
    // screen (begin, display options, menus) as the screens behind it arrive.
    class StartWindow : public QWidget
    {
        Q_OBJECT

    public:
        explicit StartWindow(QWidget* parent = nullptr);

    private:
        QLabel* m_title = nullptr;
        QLabel* m_version = nullptr;
        QPushButton* m_exitButton = nullptr;
    };

} // namespace qv

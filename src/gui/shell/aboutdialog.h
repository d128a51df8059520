#pragma once

#include <QDialog>

namespace qv {

    // Product, version and acknowledgements, shown modally from the Help menus.
    class AboutDialog : public QDialog
    {
        Q_OBJECT

    public:
        explicit AboutDialog(QWidget* parent = nullptr);
    };

} // namespace qv

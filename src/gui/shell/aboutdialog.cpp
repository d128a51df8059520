#include "aboutdialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

    AboutDialog::AboutDialog(QWidget* parent)
        : QDialog(parent)
    {
        setObjectName(QStringLiteral("frmAbout"));
        setWindowTitle(QStringLiteral("About Quorvane"));
        setModal(true);

        auto* title = new QLabel(QStringLiteral("Quorvane"), this);
        title->setObjectName(QStringLiteral("lblTitle"));
        QFont big = title->font();
        big.setPointSize(20);
        big.setBold(true);
        title->setFont(big);

        auto* version = new QLabel(QStringLiteral("Version 10.0"), this);
        version->setObjectName(QStringLiteral("lblVersion"));

        auto* description = new QLabel(
            QStringLiteral("A workbook for business associates working through the standards and implementation "
                           "specifications of the HIPAA Security Rule (45 CFR Part 164, Subpart C)."),
            this);
        description->setWordWrap(true);

        auto* thanks = new QLabel(
            QStringLiteral("<b>Acknowledgements</b><br>"
                           "Built with the Qt toolkit (The Qt Company, LGPL 3).<br>"
                           "Spelling by Hunspell and the thesaurus by MyThes (LGPL/MPL).<br>"
                           "The text of the Security Rule is that of 45 CFR Part 164, Subpart C, published by "
                           "the U.S. Government Publishing Office in the Electronic Code of Federal Regulations."),
            this);
        thanks->setObjectName(QStringLiteral("lblAcknowledgements"));
        thanks->setWordWrap(true);
        thanks->setTextFormat(Qt::RichText);

        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
        buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(24, 20, 24, 16);
        layout->setSpacing(10);
        layout->addWidget(title);
        layout->addWidget(version);
        layout->addWidget(description);
        layout->addSpacing(6);
        layout->addWidget(thanks);
        layout->addStretch();
        layout->addWidget(buttons);
        setMinimumWidth(460);
    }

} // namespace qv

#include "startwindow.h"

#include <QFont>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace qv {

    StartWindow::StartWindow(QWidget* parent)
        : QWidget(parent)
        , m_title(new QLabel(QStringLiteral("Quorvane"), this))
        , m_version(new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(QUORVANE_VERSION)), this))
        , m_exitButton(new QPushButton(QStringLiteral("E&xit Program"), this))
    {
        setWindowTitle(QStringLiteral("Quorvane"));

        m_title->setObjectName(QStringLiteral("Label8"));
        QFont titleFont = m_title->font();
        titleFont.setPointSize(titleFont.pointSize() * 3);
        titleFont.setBold(true);
        m_title->setFont(titleFont);
        m_title->setAlignment(Qt::AlignCenter);

        m_version->setObjectName(QStringLiteral("versionLabel"));
        m_version->setAlignment(Qt::AlignCenter);

        m_exitButton->setObjectName(QStringLiteral("exitButton"));
        connect(m_exitButton, &QPushButton::clicked, this, &QWidget::close);
        // Leaving the start screen never loses work, so Esc ends the program without asking.
        auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        connect(escape, &QShortcut::activated, this, &QWidget::close);

        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(48, 36, 48, 36);
        layout->setSpacing(12);
        layout->addWidget(m_title);
        layout->addWidget(m_version);
        layout->addSpacing(24);
        layout->addWidget(m_exitButton, 0, Qt::AlignCenter);
        m_exitButton->setFocus();
    }

} // namespace qv

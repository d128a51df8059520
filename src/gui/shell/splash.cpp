#include "splash.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace qv {

    namespace {
        bool splashShown = false;
        int splashTime = 4000;
    } // namespace

    Splash::Splash(QWidget* parent)
        : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    {
        setObjectName(QStringLiteral("Splash1"));
        setModal(true);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(0x1F, 0x3A, 0x5F));
        pal.setColor(QPalette::WindowText, Qt::white);
        setPalette(pal);

        auto* title = new QLabel(QStringLiteral("Quorvane"), this);
        title->setObjectName(QStringLiteral("Label1"));
        QFont big = title->font();
        big.setPointSize(30);
        big.setBold(true);
        title->setFont(big);
        title->setAlignment(Qt::AlignCenter);

        auto* subtitle = new QLabel(QStringLiteral("HIPAA Security Rule Compliance Workbook"), this);
        subtitle->setAlignment(Qt::AlignCenter);
        QFont mid = subtitle->font();
        mid.setPointSize(13);
        subtitle->setFont(mid);

        auto* version = new QLabel(QStringLiteral("Version 10.0"), this);
        version->setObjectName(QStringLiteral("Label2"));
        version->setAlignment(Qt::AlignCenter);

        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(48, 40, 48, 40);
        layout->setSpacing(14);
        layout->addWidget(title);
        layout->addWidget(subtitle);
        layout->addSpacing(12);
        layout->addWidget(version);
        setFixedSize(sizeHint().expandedTo(QSize(460, 240)));
    }

    void Splash::showEvent(QShowEvent* event)
    {
        QDialog::showEvent(event);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
        }
    }

    void Splash::mousePressEvent(QMouseEvent* event)
    {
        event->accept();
        accept();
    }

    void Splash::keyPressEvent(QKeyEvent* event)
    {
        event->accept();
        accept();
    }

    bool Splash::showOnce(QWidget* parent)
    {
        if (splashShown) {
            return false;
        }
        Splash splash(parent);
        // The timer keeps the event loop turning while the splash is up, so nothing freezes.
        QTimer::singleShot(splashTime, &splash, &QDialog::accept);
        splash.exec();
        splashShown = true;
        return true;
    }

    bool Splash::wasShown()
    {
        return splashShown;
    }

    void Splash::setDisplayTime(int milliseconds)
    {
        splashTime = qMax(0, milliseconds);
    }

    int Splash::displayTime()
    {
        return splashTime;
    }

} // namespace qv
